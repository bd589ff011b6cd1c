// The host's pieces that need no device: the socket message format and the hardware identifier
// list.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

#include "driver/host/HardwareIds.h"
#include "driver/host/WireFormat.h"

namespace {

using namespace ostrel;

TEST(WireFormat, RequestAndResponseRoundTrip) {
    std::vector<uint8_t> input = {1, 2, 3};
    auto request = wire::EncodeRequest(0x20000800, input, 8);
    ASSERT_EQ(request.size(), wire::kHeaderSize + 3);
    EXPECT_EQ(request[0], 0x00);
    EXPECT_EQ(request[3], 0x20);
    auto header = wire::DecodeRequestHeader(
        std::span<const uint8_t, wire::kHeaderSize>(request.data(), wire::kHeaderSize));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->IoControlCode, 0x20000800u);
    EXPECT_EQ(header->InputLength, 3u);
    EXPECT_EQ(header->OutputLength, 8u);

    auto response = wire::EncodeResponse(STATUS_INVALID_DEVICE_REQUEST, 0, {});
    auto decoded = wire::DecodeResponseHeader(
        std::span<const uint8_t, wire::kHeaderSize>(response.data(), wire::kHeaderSize));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Status, STATUS_INVALID_DEVICE_REQUEST);
    EXPECT_EQ(decoded->OutputLength, 0u);
}

TEST(WireFormat, RefusesLengthsBeyondTheLimit) {
    std::array<uint8_t, wire::kHeaderSize> header{};
    header[5] = 0x00;
    header[6] = 0x10;  // input length 1 MiB: still accepted
    EXPECT_TRUE(wire::DecodeRequestHeader(header));
    header[4] = 0x01;  // one byte more
    EXPECT_FALSE(wire::DecodeRequestHeader(header));
    header = {};
    header[11] = 0xFF;  // output length
    EXPECT_FALSE(wire::DecodeRequestHeader(header));
    EXPECT_FALSE(wire::DecodeResponseHeader(header));
}

TEST(HardwareIds, ParsesTheListAndMatchesReleasesOnlyWhenGiven) {
    std::istringstream list(
        "# comment\n"
        "\n"
        "USB\\VID_37A1&PID_0120\n"
        "  usb\\vid_37a1&pid_0103&rev_0100  \n"
        "USB\\VID_37A1&PID_01\n"
        "USB\\VID_37A1&PID_0110&REV_01000\n"
        "PCI\\VEN_8086\n");
    std::vector<std::string> errors;
    auto ids = host::ReadHardwareIds(list, errors);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(errors.size(), 3u);
    EXPECT_TRUE(host::MatchesAny(ids, 0x37A1, 0x0120, 0x2000));
    EXPECT_TRUE(host::MatchesAny(ids, 0x37A1, 0x0120, 0x0100));
    EXPECT_TRUE(host::MatchesAny(ids, 0x37A1, 0x0103, 0x0100));
    EXPECT_FALSE(host::MatchesAny(ids, 0x37A1, 0x0103, 0x0200));
    EXPECT_FALSE(host::MatchesAny(ids, 0x37A2, 0x0120, 0x2000));
}

TEST(HardwareIds, TheInstalledListIsValidAndCoversTheProgrammer) {
    std::ifstream list(OSTREL_HARDWARE_IDS_SOURCE);
    ASSERT_TRUE(list);
    std::vector<std::string> errors;
    auto ids = host::ReadHardwareIds(list, errors);
    EXPECT_TRUE(errors.empty()) << testing::PrintToString(errors);
    EXPECT_TRUE(host::MatchesAny(ids, 0x37A1, 0x0120, 0x2000));
}

}  // namespace
