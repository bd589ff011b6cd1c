// Removing a device while requests wait in the driver: the waits end at once and the requests
// complete with STATUS_NO_SUCH_DEVICE, instead of holding the removal (and with it hot-plug
// handling) until the product's limits run out.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"

namespace {

using drivertest::Concat;
using drivertest::Le16;
using drivertest::Le32;
using ostrel::usb::SimulatedDevice;

struct WaitingRequest {
    const char* Name;
    ostrel::usb::SimulatedDeviceConfig Config;
    std::function<void(SimulatedDevice&)> Silence;  // the device never answers
    uint32_t IoControlCode;
    std::vector<uint8_t> Input;
    uint16_t SentFirst;  // the transfer after which the request waits
};

TEST(Removal, EndsWaitingRequestsAtOnceWithNoSuchDevice) {
    const std::vector<WaitingRequest> requests = {
        {"value command", drivertest::OrdinaryDevice(),
         [](SimulatedDevice& device) { device.SetValueCommandAnswer(std::nullopt); },
         IOCTL_SEND_VALUE_AND_WAIT, Concat({Le32(7), {0}}), VENDOR_COMMAND_SEND_VALUE},
        {"bus poll", drivertest::OrdinaryDevice(),
         [](SimulatedDevice& device) { device.SetBusCompletionPolls(std::nullopt); },
         IOCTL_BUS_READ_BYTE, Concat({{0xA0}, Le16(0x10), {0}}), BUS_CONTROL_REGISTER},
        {"message", drivertest::EightPortProgrammer(),
         [](SimulatedDevice& device) { device.SetMessageAnswer(std::nullopt); },
         IOCTL_VDM_WRITE_REGISTER, Concat({Le16(0x4000), {0, 0}, {1}}), VENDOR_COMMAND_VDM},
        {"block write", drivertest::EightPortProgrammer(),
         [](SimulatedDevice& device) { device.SetMessageAnswer(std::nullopt); }, IOCTL_WRITE_BLOCK,
         std::vector<uint8_t>(32, 0x11), VENDOR_COMMAND_BLOCK_WRITE},
    };
    for (const WaitingRequest& request : requests) {
        for (bool surprise : {false, true}) {
            SCOPED_TRACE(testing::Message() << request.Name << (surprise ? ", unplugged" : ""));
            // The product's limits, with bus polls as long as the longest wait.
            drivertest::SimulatedBinding binding(request.Config, {{"BusPollDelayMs", 100}});
            request.Silence(binding.Device());
            io::DeviceIoControlResult result;
            std::thread caller(
                [&] { result = binding.Ioctl(request.IoControlCode, request.Input); });
            EXPECT_TRUE(drivertest::WaitForTransfer(binding.Device(), request.SentFirst));
            binding.Host().Unbind(drivertest::kInstance, surprise);
            caller.join();
            EXPECT_EQ(result.Status, STATUS_NO_SUCH_DEVICE);
            EXPECT_EQ(result.Information, 0u);
            EXPECT_EQ(binding.FrameworkDevice(), nullptr);
        }
    }
}

}  // namespace
