// The simulated device as ostreld --simulate runs it for hours: its transfer and far-side write
// logs keep the recent entries only, so memory levels off whatever the traffic.
#include <gtest/gtest.h>

#include <numeric>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"

namespace {

using drivertest::Concat;
using drivertest::Le16;
using drivertest::SimulatedBinding;
using ostrel::usb::SimulatedDevice;

TEST(SimulatedDevice, LogsKeepTheMostRecentEntries) {
    SimulatedBinding binding(drivertest::OrdinaryDevice());
    const size_t requests = SimulatedDevice::kLogCapacity + 100;
    for (size_t i = 0; i < requests; ++i) {
        auto request = Concat({Le16(static_cast<uint16_t>(0x4000 + i % 7)), {0, 0}, {uint8_t(i)}});
        ASSERT_EQ(binding.Ioctl(IOCTL_VDM_WRITE_REGISTER, request).Status, STATUS_SUCCESS);
    }
    auto transfers = binding.Device().Transfers();
    auto farWrites = binding.Device().FarWrites();
    EXPECT_EQ(transfers.size(), SimulatedDevice::kLogCapacity);
    EXPECT_EQ(farWrites.size(), SimulatedDevice::kLogCapacity);
    const size_t last = requests - 1;
    EXPECT_EQ(farWrites.back(),
              std::make_pair(static_cast<uint16_t>(0x4000 + last % 7), static_cast<uint8_t>(last)));
    EXPECT_EQ(transfers.back().Setup.wIndex, VENDOR_COMMAND_VDM);
}

TEST(SimulatedDevice, TransferLogKeepsABoundedAmountOfData) {
    SimulatedBinding binding(drivertest::EightPortProgrammer());
    std::vector<uint8_t> block(UINT16_MAX, 0);
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(binding.Ioctl(IOCTL_WRITE_BLOCK, block).Status, STATUS_SUCCESS);
    }
    auto transfers = binding.Device().Transfers();
    size_t bytes = std::accumulate(
        transfers.begin(), transfers.end(), size_t{0},
        [](size_t sum, const auto& transfer) { return sum + transfer.Data.size(); });
    EXPECT_LE(bytes, SimulatedDevice::kLogDataBytes);
    ASSERT_FALSE(transfers.empty());
    EXPECT_EQ(transfers.back().Data.size(), block.size());
}

}  // namespace
