// Filing with the archive hook: what is queued, that nothing reaches the network on the
// filing's (the UI) thread, and that without the registry key nothing changes.
#include "tests/archive/ArchiveFilingFixture.h"
#include "tests/archive/SilentListener.h"

namespace {

namespace fs = std::filesystem;

class ArchiveFilingTest : public archivetest::ArchiveFilingFixture {};

TEST_F(ArchiveFilingTest, FilingQueuesEveryPictureWithThePatientsTextsAndTouchesNoNetwork) {
    archivetest::SilentListener archive;
    archivetest::WriteArchiveRegistry("127.0.0.1", archive.Port(), "ARCHIVE");
    const int32_t serial = AddPatient(L"A-17", L"Zo\u00eb O'Neil \u738b", L"3/7/2016");
    Capture("V2512101430171");
    Capture("P2512101430152");
    Capture("P2512101430143");
    ASSERT_TRUE(mStore.PhotoInsert({0, serial, L"P2512101430152", L"12/10/2025", L"left eye"}));

    EXPECT_EQ(File(serial), 3);

    EXPECT_FALSE(archive.SomeoneConnected());
    const auto pending = mQueue.Pending();
    ASSERT_EQ(pending.size(), 3u);
    // By time: the session is named after the first capture.
    const char* captures[] = {"P2512101430143", "P2512101430152", "V2512101430171"};
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const ArchiveItem& item = pending[i].item;
        EXPECT_EQ(item.captureName, captures[i]);
        EXPECT_EQ(item.customerSerialNumber, serial);
        EXPECT_EQ(item.pid, "A-17");
        EXPECT_EQ(item.patientName, "Zo\xc3\xab O'Neil \xe7\x8e\x8b");
        EXPECT_EQ(item.visitFirst, "3/7/2016");
        EXPECT_EQ(item.session, "P2512101430143");
        EXPECT_EQ(item.cameraName, "USB Camera (VID_1234&PID_5678)");
        EXPECT_EQ(item.cameraIdentity, "1234 5678-CAM00001");
        EXPECT_EQ(item.comment, i == 1 ? "left eye" : "");
    }
}

TEST_F(ArchiveFilingTest, WithoutTheKeyFilingIsAsBeforeAndNothingIsQueued) {
    const int32_t serial = AddPatient(L"A-18", L"Nobody", L"1/1/2020");
    Capture("P2512101430151");
    bool identityAsked = false;
    ArchiveFilingHook hook(mStore, L"camera",
                           [&] {
                               identityAsked = true;
                               return std::wstring();
                           },
                           {});
    EXPECT_EQ(hook.Observer(), nullptr);
    EXPECT_FALSE(identityAsked);
    EXPECT_EQ(File(serial), 1);
    EXPECT_FALSE(fs::exists(ArchiveQueue::DefaultFolder()));
}

}  // namespace
