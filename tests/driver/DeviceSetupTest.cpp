// Device set-up against the simulated device: choosing the notification endpoint, the
// connection interface driven by notifications, and unplugging.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/framework/Trace.h"

namespace {

using drivertest::EightPortProgrammer;
using drivertest::OrdinaryDevice;
using drivertest::SimulatedBinding;
using ostrel::usb::SimulatedInterface;

TEST(DeviceSetup, UsesTheFirstClassThreeInterfaceWithAnInterruptInEndpoint) {
    auto config = OrdinaryDevice();
    config.Interfaces = {SimulatedInterface{0xFF, true}, SimulatedInterface{3, false},
                         SimulatedInterface{3, true}};
    SimulatedBinding binding(config);
    DEVICE_CONTEXT* context = binding.Context();
    ASSERT_NE(context->NotificationInterfaceDescriptor, nullptr);
    EXPECT_EQ(context->NotificationInterfaceDescriptor->bInterfaceNumber, 2);
    EXPECT_EQ(context->NotificationEndpointDescriptor->bEndpointAddress, 0x83);
    EXPECT_EQ(context->NotificationPipe->Information().EndpointAddress, 0x83);
    EXPECT_EQ(binding.Device().PendingReads(), 2u);
    EXPECT_TRUE(binding.Interfaces().IsEnabled(binding.MainLink()));
    EXPECT_FALSE(binding.Interfaces().IsEnabled(binding.ConnectionLink()));
}

TEST(DeviceSetup, WorksWithoutNotificationsWhenNoEndpointQualifies) {
    auto config = OrdinaryDevice();
    config.Interfaces = {SimulatedInterface{3, false}, SimulatedInterface{0xFF, true}};
    SimulatedBinding binding(config);
    EXPECT_EQ(binding.Context()->NotificationPipe, nullptr);
    EXPECT_TRUE(binding.Context()->ConnectionInterfaceLink.empty());
    EXPECT_EQ(binding.Device().PendingReads(), 0u);

    auto result = binding.Ioctl(
        IOCTL_READ_REGISTER, drivertest::Concat({drivertest::Le32(0x8008), drivertest::Le32(0)}));
    EXPECT_EQ(result.Status, STATUS_SUCCESS);
    auto waited =
        binding.Ioctl(IOCTL_SEND_VALUE_AND_WAIT, drivertest::Concat({drivertest::Le32(7), {0}}));
    EXPECT_EQ(waited.Status, STATUS_UNSUCCESSFUL);  // the answer can never arrive
}

TEST(DeviceSetup, ConnectionNotificationsSwitchTheConnectionInterface) {
    struct Case {
        bool eightPort;
        std::vector<uint8_t> notification;
        uint8_t mask;
    };
    for (const Case& c : std::vector<Case>{{true, {0, 0x05}, 0x05},
                                           {true, {1, 0x00}, 0x00},
                                           {false, {1}, 0x01},
                                           {false, {0}, 0x00}}) {
        SimulatedBinding binding(c.eightPort ? EightPortProgrammer() : OrdinaryDevice());
        // Start from the opposite state so the change is visible.
        binding.Device().Notify(
            c.eightPort ? std::vector<uint8_t>{1, static_cast<uint8_t>(c.mask ? 0 : 0x80)}
                        : std::vector<uint8_t>{static_cast<uint8_t>(c.mask ? 0 : 1)});
        ASSERT_TRUE(binding.Interfaces().WaitFor(binding.ConnectionLink(), c.mask == 0));

        binding.Device().Notify(c.notification);
        EXPECT_TRUE(binding.Interfaces().WaitFor(binding.ConnectionLink(), c.mask != 0))
            << testing::PrintToString(c.notification);
        EXPECT_EQ(binding.Context()->ConnectionMask, c.mask);
    }
}

TEST(DeviceSetup, ShortAndFailedNotificationReadsAreIgnored) {
    SimulatedBinding binding(EightPortProgrammer());
    binding.Device().Notify({1});  // the mask byte is missing
    binding.Device().FailNextRead(STATUS_UNSUCCESSFUL);
    binding.Device().Notify({7, 7});
    binding.Device().SetConnectionMask(0x02);
    ASSERT_TRUE(binding.Interfaces().WaitFor(binding.ConnectionLink(), true));
    EXPECT_EQ(binding.Context()->ConnectionMask, 0x02);
    // The reader carried on after the failure: both reads are pending again.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (binding.Device().PendingReads() != 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_EQ(binding.Device().PendingReads(), 2u);
}

TEST(DeviceSetup, UnplugStopsTheReaderAndWithdrawsBothInterfaces) {
    SimulatedBinding binding(EightPortProgrammer());
    auto second = std::make_shared<ostrel::usb::SimulatedDevice>(OrdinaryDevice());
    ASSERT_EQ(binding.Host().Bind("sim1", second), STATUS_SUCCESS);
    binding.Device().SetConnectionMask(0x01);
    ASSERT_TRUE(binding.Interfaces().WaitFor(binding.ConnectionLink(), true));

    // Connection changes racing the removal must not outlive it.
    std::thread notifier([&binding] {
        for (int i = 0; i < 50; ++i) {
            binding.Device().SetConnectionMask(static_cast<uint8_t>(i & 1));
        }
    });
    binding.Host().Unbind(drivertest::kInstance, true);
    notifier.join();

    EXPECT_EQ(binding.Device().PendingReads(), 0u);
    EXPECT_FALSE(binding.Interfaces().IsEnabled(binding.ConnectionLink()));
    EXPECT_FALSE(binding.Interfaces().IsEnabled(binding.MainLink()));
    EXPECT_TRUE(WppIsTracing()) << "the other device still traces";
    EXPECT_EQ(second->PendingReads(), 2u);
}

TEST(DeviceSetup, FailedSetUpIsRetriedAndGivesUpAfterTheLastAttempt) {
    drivertest::RecordingInterfaceHost interfaces;
    ostrel::host::DeviceHost host(interfaces, drivertest::ShortTiming());
    auto recovering = std::make_shared<ostrel::usb::SimulatedDevice>(OrdinaryDevice());
    recovering->FailConfigurations(1);
    ASSERT_EQ(host.Bind("sim0", recovering), STATUS_SUCCESS);
    EXPECT_EQ(recovering->ConfigurationsSelected(), 1u);
    EXPECT_EQ(recovering->PendingReads(), 2u);  // one reader, not one per attempt

    auto broken = std::make_shared<ostrel::usb::SimulatedDevice>(OrdinaryDevice());
    broken->FailConfigurations(100);
    EXPECT_EQ(host.Bind("sim1", broken), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(host.Device("sim1"), nullptr);
    EXPECT_EQ(host.Instances(), std::vector<std::string>{"sim0"});
}

TEST(DeviceSetup, TracingEndsWithTheDriverObject) {
    {
        SimulatedBinding binding(OrdinaryDevice());
        EXPECT_TRUE(WppIsTracing());
    }
    EXPECT_FALSE(WppIsTracing());
}

}  // namespace
