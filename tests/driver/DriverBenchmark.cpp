// Figures of the driver host, printed and not asserted: the round trip of a register read
// through the interface socket to the simulated device, and the cost of a 32-byte block write
// on an ordinary device (control transfers and time).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/host/DeviceHost.h"
#include "driver/host/OstrelClient.h"
#include "driver/host/SocketInterfaceHost.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;
using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

TEST(DriverBenchmark, ReadRegisterRoundTripThroughTheSocket) {
    testsupport::TestProgramFolder folder;
    host::SocketInterfaceHost interfaces(folder.Path());
    host::DeviceHost devices(interfaces);
    auto device = std::make_shared<usb::SimulatedDevice>(drivertest::OrdinaryDevice());
    ASSERT_EQ(devices.Bind("sim0", device), STATUS_SUCCESS);
    std::string error;
    auto client = client::OstrelClient::Connect(
        client::InterfaceSocketPath(folder.Path(), "sim0", DEVICE_INTERFACE_GUID), error);
    ASSERT_TRUE(client) << error;

    std::vector<uint8_t> request =
        drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});
    constexpr int kWarmUp = 200;
    constexpr int kRounds = 5000;
    std::vector<double> samples;
    samples.reserve(kRounds);
    for (int i = 0; i < kWarmUp + kRounds; ++i) {
        auto started = Clock::now();
        auto reply = client->DeviceIoControl(IOCTL_READ_REGISTER, request, 8, error);
        auto elapsed = Clock::now() - started;
        ASSERT_TRUE(reply && reply->Status == STATUS_SUCCESS);
        if (i >= kWarmUp) {
            samples.push_back(Microseconds(elapsed));
        }
    }
    std::sort(samples.begin(), samples.end());
    std::printf("IOCTL_READ_REGISTER round trip over %d requests: median %.1f us, p99 %.1f us\n",
                kRounds, samples[samples.size() / 2], samples[samples.size() * 99 / 100]);
}

TEST(DriverBenchmark, BlockWriteOnAnOrdinaryDevice) {
    drivertest::SimulatedBinding binding(drivertest::OrdinaryDevice());
    std::vector<uint8_t> block(32, 0x11);  // one programming step per byte
    binding.Device().ClearTransfers();
    auto started = Clock::now();
    auto result = binding.Ioctl(IOCTL_WRITE_BLOCK, block);
    auto elapsed = Clock::now() - started;
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    std::printf("32-byte block write (0x11 over 0x00): %zu control transfers, %.1f us\n",
                binding.Device().Transfers().size(), Microseconds(elapsed));
}

}  // namespace
