// The extension-unit texts and writes against the virtual camera's unit.
#include "camera/Xu.h"

#include <gtest/gtest.h>

#include "camera/KeyRelease.h"
#include "platform/capture/VirtualCamera.h"

namespace {

using capture::testing::VirtualCamera;

std::unique_ptr<capture::Source> OpenSource(const VirtualCamera& camera) {
    auto source = capture::Source::Open(camera.Device());
    EXPECT_NE(source, nullptr);
    return source;
}

TEST(Xu, ReadsIdentityClockAndKeyStateAsText) {
    struct Case {
        const char* what;
        std::array<uint8_t, 16> identity;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"eight characters, no terminator",
         {0x12, 0x34, 0x56, 0x78, 0, 0, 0, 0, 'C', 'A', 'M', '0', '0', '0', '0', '1'},
         L"1234 5678-CAM00001"},
        {"empty name", {0xAB, 0xCD, 0x01, 0x02}, L"ABCD 0102-"},
        {"name ended early", {0, 0, 0, 0, 9, 9, 9, 9, 'X', '1', 0, 'Y'}, L"0000 0000-X1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        capture::VirtualCameraConfig config;
        config.identity = c.identity;
        VirtualCamera camera(config);
        auto source = OpenSource(camera);
        std::wstring text;
        EXPECT_EQ(Xu::Instance().GetId(source.get(), text), capture::S_OK);
        EXPECT_EQ(text, c.expected);
    }

    VirtualCamera camera;
    auto source = OpenSource(camera);
    std::wstring clock;
    EXPECT_EQ(Xu::Instance().GetDateTime(source.get(), clock), capture::S_OK);
    EXPECT_EQ(clock, L"2024/06/15 14:45:30");
    camera.PressKey(1);
    uint32_t key = 0;
    const capture::Status status = Xu::Instance().GetKeyEvent(source.get(), key);
    EXPECT_EQ(KeyStateText(status, key), L"01 00 00 00");
}

TEST(Xu, WritesTheFixedPayloadsAndTheRecordingState) {
    VirtualCamera camera;
    auto source = OpenSource(camera);
    Xu& xu = Xu::Instance();
    EXPECT_EQ(xu.SetId(source.get()), capture::S_OK);
    EXPECT_EQ(xu.SetDateTime(source.get()), capture::S_OK);
    EXPECT_EQ(xu.SetRecordingState(source.get(), 2), capture::S_OK);
    EXPECT_EQ(xu.SetRecordingState(source.get(), 0), capture::S_OK);

    const auto writes = camera.UnitWrites();
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].selector, 0x10u);
    EXPECT_EQ(writes[0].data, (std::vector<uint8_t>{0x28, 0x47, 0x01, 0x00, 0x55, 0x55, 0xAA, 0xAA,
                                                    0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(writes[1].selector, 0x13u);
    EXPECT_EQ(writes[1].data,
              (std::vector<uint8_t>{0x05, 0x30, 0x12, 0x19, 0x0B, 0xDF, 0x07, 0x00}));
    EXPECT_EQ(writes[2].selector, 0x12u);
    EXPECT_EQ(writes[2].data, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(writes[3].data, (std::vector<uint8_t>{0, 0, 0, 0}));

    // The clock now reads what was written.
    std::wstring clock;
    xu.GetDateTime(source.get(), clock);
    EXPECT_EQ(clock, L"2015/11/25 18:48:05");
}

TEST(Xu, FailuresGiveUnknownAndAMissingUnitLeavesTextAlone) {
    capture::VirtualCameraConfig rejecting;
    rejecting.hasExtensionUnit = false;
    VirtualCamera camera(rejecting);
    auto source = OpenSource(camera);
    std::wstring identity = L"old", clock = L"old";
    uint32_t key = 7;
    EXPECT_LT(Xu::Instance().GetId(source.get(), identity), 0);
    EXPECT_LT(Xu::Instance().GetDateTime(source.get(), clock), 0);
    EXPECT_EQ(identity, L"Unknown");
    EXPECT_EQ(clock, L"Unknown");
    EXPECT_EQ(KeyStateText(Xu::Instance().GetKeyEvent(source.get(), key), key), L"Unknown");

    capture::VirtualCameraConfig without;
    without.offersKsControl = false;
    VirtualCamera plain(without);
    auto plainSource = OpenSource(plain);
    identity = L"";
    EXPECT_EQ(Xu::Instance().GetId(plainSource.get(), identity), capture::E_NOINTERFACE);
    EXPECT_EQ(identity, L"");
    EXPECT_EQ(plain.UnitRequests(), 0);
}

TEST(Xu, AHeldKeyActsOnceWhenReleased) {
    VirtualCamera camera;
    auto source = OpenSource(camera);
    KeyRelease keys;
    std::vector<uint32_t> actions;
    auto poll = [&] {
        uint32_t value = 0;
        if (capture::Succeeded(Xu::Instance().GetKeyEvent(source.get(), value))) {
            if (uint32_t key = keys.Feed(value)) {
                actions.push_back(key);
            }
        }
    };
    camera.PressKey(KeyRelease::kKeyA);
    for (int tick = 0; tick < 10; ++tick) {  // one second of 100 ms polls
        poll();
    }
    EXPECT_TRUE(actions.empty());
    camera.ReleaseKey();
    poll();
    poll();
    camera.PressKey(KeyRelease::kKeyB);
    poll();
    camera.ReleaseKey();
    poll();
    EXPECT_EQ(actions, (std::vector<uint32_t>{KeyRelease::kKeyA, KeyRelease::kKeyB}));
}

}  // namespace
