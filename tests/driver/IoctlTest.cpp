// The device-control interface against the simulated device: request layouts, the setup packets
// they produce, buffer checks, completion values and the shared per-device state.
#include <gtest/gtest.h>

#include <thread>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"

namespace {

using drivertest::Concat;
using drivertest::Le16;
using drivertest::Le32;
using drivertest::OrdinaryDevice;
using drivertest::SimulatedBinding;
using ostrel::usb::SimulatedFault;

class Ioctl : public testing::Test {
  protected:
    SimulatedBinding binding{OrdinaryDevice()};
    ostrel::usb::SimulatedDevice& device = binding.Device();

    void SelectPort(uint8_t port) {
        ASSERT_EQ(binding.Ioctl(IOCTL_SELECT_PORT, {port}, 1).Status, STATUS_SUCCESS);
    }
    uint32_t PortConnected() {
        auto result = binding.Ioctl(IOCTL_GET_PORT_CONNECTED, Le32(0xFFFFFFFF));
        EXPECT_EQ(result.Status, STATUS_SUCCESS);
        return drivertest::ReadLe32(result.Output, 0);
    }
};

TEST_F(Ioctl, ReadRegisterSendsTheLowSixteenAddressBits) {
    device.SetRegister(0x8004, 0xCAFEF00D);
    auto result = binding.Ioctl(IOCTL_READ_REGISTER, Concat({Le32(0x00018004), Le32(0)}));
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 8u);
    EXPECT_EQ(drivertest::ReadLe32(result.Output, 4), 0xCAFEF00Du);
    auto transfer = device.Transfers().back();
    EXPECT_EQ(transfer.Setup.bmRequestType, 0xC0);
    EXPECT_EQ(transfer.Setup.bRequest, 0x40);
    EXPECT_EQ(transfer.Setup.wValue, 0);
    EXPECT_EQ(transfer.Setup.wIndex, 0x8004);
    EXPECT_EQ(transfer.Setup.wLength, 4);
}

TEST_F(Ioctl, WriteRegisterSendsTheValue) {
    auto result = binding.Ioctl(IOCTL_WRITE_REGISTER, Concat({Le32(0x8004), Le32(0x01020304)}));
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(device.Register(0x8004), 0x01020304u);
    EXPECT_EQ(device.Transfers().back().Setup.bmRequestType, 0x40);
    EXPECT_EQ(device.Transfers().back().Setup.bRequest, 0x41);
}

TEST_F(Ioctl, PortConnectedTestsTheSelectedPortModuloThirtyTwoAgainstAnEightBitMask) {
    struct Case {
        uint8_t port, mask;
        uint32_t connected;
    };
    for (const Case& c : std::vector<Case>{
             {2, 0x04, 1}, {2, 0xFB, 0}, {9, 0xFF, 0}, {34, 0x04, 1}, {34, 0x08, 0}}) {
        SelectPort(c.port);
        device.SetConnectionMask(c.mask, false);
        ASSERT_EQ(binding.Ioctl(IOCTL_GET_CONNECTION_MASK, {0}).Output,
                  std::vector<uint8_t>{c.mask});
        EXPECT_EQ(PortConnected(), c.connected)
            << "port " << int(c.port) << " mask " << int(c.mask);
    }
}

TEST_F(Ioctl, ConnectionMaskRequestDoesNotSwitchTheConnectionInterface) {
    SelectPort(2);
    device.SetConnectionMask(0x04, false);
    ASSERT_EQ(binding.Ioctl(IOCTL_GET_CONNECTION_MASK, {0}).Output, std::vector<uint8_t>{0x04});
    EXPECT_EQ(PortConnected(), 1u);
    EXPECT_FALSE(binding.Interfaces().IsEnabled(binding.ConnectionLink()));
}

TEST_F(Ioctl, SelectPortKeepsThePortOnFailureGetSelectedPortOnlyOnSuccess) {
    device.SetConnectionMask(0x20, false);
    binding.Ioctl(IOCTL_GET_CONNECTION_MASK, {0});
    device.SetFault(VENDOR_COMMAND_SELECT_PORT, SimulatedFault::Stall);
    auto failed = binding.Ioctl(IOCTL_SELECT_PORT, {5}, 1);
    EXPECT_EQ(failed.Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(failed.Information, 0u);
    EXPECT_EQ(PortConnected(), 1u);  // port 5 is selected anyway

    device.SetFault(VENDOR_COMMAND_GET_SELECTED_PORT, SimulatedFault::Timeout);
    EXPECT_EQ(binding.Ioctl(IOCTL_GET_SELECTED_PORT, {0}).Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(PortConnected(), 1u);
    device.SetFault(VENDOR_COMMAND_GET_SELECTED_PORT, std::nullopt);
    auto got = binding.Ioctl(IOCTL_GET_SELECTED_PORT, {0});  // the device still has port 0
    EXPECT_EQ(got.Output, std::vector<uint8_t>{0});
    EXPECT_EQ(PortConnected(), 0u);
}

TEST_F(Ioctl, TriggerNeedsNoBuffer) {
    auto result = binding.Ioctl(IOCTL_SEND_TRIGGER, {}, 0);
    EXPECT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 0u);
    EXPECT_EQ(device.Triggers(), 1u);
    EXPECT_EQ(device.Transfers().back().Data, std::vector<uint8_t>(4, 0));
}

TEST_F(Ioctl, OutputCodesFailWithOnlyAnInputBuffer) {
    for (uint32_t code : {IOCTL_WRITE_INDEXED_BYTE, IOCTL_SELECT_PORT}) {
        auto result = binding.Ioctl(code, Concat({Le16(3), {9}}), 0);
        EXPECT_EQ(result.Status, STATUS_UNSUCCESSFUL);
        EXPECT_EQ(result.Information, 0u);
    }
    EXPECT_TRUE(device.Transfers().empty());
    auto written = binding.Ioctl(IOCTL_WRITE_INDEXED_BYTE, Concat({Le16(3), {9}}), 3);
    EXPECT_EQ(written.Status, STATUS_SUCCESS);
    EXPECT_EQ(written.Information, 3u);
    EXPECT_EQ(device.IndexedByte(3), 9);
}

TEST_F(Ioctl, UnknownCodesAreInvalidDeviceRequests) {
    for (uint32_t code : {0x20000850u, 0x20000801u, 0x200007FCu, 0u}) {
        auto result = binding.Ioctl(code, Le32(0));
        EXPECT_EQ(result.Status, STATUS_INVALID_DEVICE_REQUEST) << std::hex << code;
        EXPECT_EQ(result.Information, 0u);
    }
}

TEST_F(Ioctl, BuffersShorterThanTheLayoutAreRefusedWithoutTouchingTheDevice) {
    struct Case {
        uint32_t code;
        size_t size;
    };
    for (const Case& c : std::vector<Case>{{IOCTL_READ_REGISTER, 7},
                                           {IOCTL_WRITE_REGISTER, 7},
                                           {IOCTL_BUS_READ_BYTE, 3},
                                           {IOCTL_BUS_WRITE, 6},
                                           {IOCTL_CONTROL_TRANSFER, 7},
                                           {IOCTL_READ_BLOCK, 31},
                                           {IOCTL_WRITE_BLOCK, 31},
                                           {IOCTL_VDM_READ_REGISTER, 4},
                                           {IOCTL_VDM_WRITE_REGISTER, 4},
                                           {IOCTL_GET_PORT_CONNECTED, 3},
                                           {IOCTL_SEND_VALUE_AND_WAIT, 4},
                                           {IOCTL_READ_DWORD, 3},
                                           {IOCTL_READ_BYTE, 0},
                                           {IOCTL_WRITE_WORD, 1},
                                           {IOCTL_READ_INDEXED_BYTE, 2},
                                           {IOCTL_WRITE_INDEXED_BYTE, 2},
                                           {IOCTL_SELECT_PORT, 0},
                                           {IOCTL_GET_SELECTED_PORT, 0},
                                           {IOCTL_GET_CONNECTION_MASK, 0}}) {
        auto result = binding.Ioctl(c.code, std::vector<uint8_t>(c.size, 0x11), 64);
        EXPECT_EQ(result.Status, STATUS_UNSUCCESSFUL) << std::hex << c.code;
        EXPECT_EQ(result.Information, 0u) << std::hex << c.code;
    }
    EXPECT_TRUE(device.Transfers().empty());
}

TEST_F(Ioctl, PassThroughNeedsItsWholeDataStage) {
    // OUT, write-word command with 2 data bytes announced but only 1 supplied.
    auto header = std::vector<uint8_t>{0x40, 0x41, 0, 0, VENDOR_COMMAND_WRITE_WORD, 0, 2, 0};
    EXPECT_EQ(binding.Ioctl(IOCTL_CONTROL_TRANSFER, Concat({header, {0x34}}), 64).Status,
              STATUS_UNSUCCESSFUL);
    // IN whose data stage would not fit the output.
    auto inHeader = std::vector<uint8_t>{0xC0, 0x40, 0, 0, VENDOR_COMMAND_READ_DWORD, 0, 4, 0};
    EXPECT_EQ(binding.Ioctl(IOCTL_CONTROL_TRANSFER, Concat({inHeader, Le32(0)}), 11).Status,
              STATUS_UNSUCCESSFUL);
    EXPECT_TRUE(device.Transfers().empty());

    auto written = binding.Ioctl(IOCTL_CONTROL_TRANSFER, Concat({header, {0x34, 0x12}}), 0);
    EXPECT_EQ(written.Status, STATUS_SUCCESS);
    EXPECT_EQ(device.LastWord(), 0x1234);
    device.SetDword(0xA1B2C3D4);
    auto read = binding.Ioctl(IOCTL_CONTROL_TRANSFER, Concat({inHeader, Le32(0)}));
    ASSERT_EQ(read.Status, STATUS_SUCCESS);
    EXPECT_EQ(read.Information, 12u);
    EXPECT_EQ(drivertest::ReadLe32(read.Output, 8), 0xA1B2C3D4u);
    device.SetFault(VENDOR_COMMAND_READ_DWORD, SimulatedFault::Timeout);
    auto timedOut = binding.Ioctl(IOCTL_CONTROL_TRANSFER, Concat({inHeader, Le32(0)}));
    EXPECT_EQ(timedOut.Status, STATUS_IO_TIMEOUT);  // the transfer's own status
    EXPECT_EQ(timedOut.Information, 0u);
}

TEST_F(Ioctl, InformationNeverExceedsTheOutputBuffer) {
    device.SetRegister(0x8008, 0x44332211);
    auto result = binding.Ioctl(IOCTL_READ_REGISTER, Concat({Le32(0x8008), Le32(0)}), 6);
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 6u);
    EXPECT_EQ(result.Output, (std::vector<uint8_t>{0x08, 0x80, 0, 0, 0x11, 0x22}));
    EXPECT_EQ(binding.Ioctl(IOCTL_WRITE_REGISTER, Concat({Le32(0x8008), Le32(1)}), 0).Information,
              0u);
}

TEST_F(Ioctl, SendValueAndWaitReportsTheDevicesAnswer) {
    struct Case {
        std::optional<uint8_t> answer;
        NTSTATUS status;
    };
    for (const Case& c : std::vector<Case>{
             {3, STATUS_SUCCESS}, {2, STATUS_UNSUCCESSFUL}, {std::nullopt, STATUS_UNSUCCESSFUL}}) {
        device.SetValueCommandAnswer(c.answer);
        auto result = binding.Ioctl(IOCTL_SEND_VALUE_AND_WAIT, Concat({Le32(0x11223344), {0xEE}}));
        EXPECT_EQ(result.Status, c.status);
        EXPECT_EQ(result.Information, 5u);
        if (c.status == STATUS_SUCCESS) {
            EXPECT_EQ(result.Output[4], 1);
        }
        EXPECT_EQ(device.LastValue(), 0x11223344u);
    }
}

TEST_F(Ioctl, OverlappingWaitsDoNotTakeEachOthersNotifications) {
    // The device accepts odd values and refuses even ones: each caller must see its own answer.
    device.SetValueCommandAnswer(
        [](uint32_t value) { return static_cast<uint8_t>(value % 2 ? 3 : 2); });
    std::vector<std::thread> callers;
    std::atomic<int> wrongAnswers{0};
    for (uint32_t caller = 0; caller < 4; ++caller) {
        callers.emplace_back([&, caller] {
            for (uint32_t round = 0; round < 25; ++round) {
                uint32_t value = caller * 100 + round;
                auto result = binding.Ioctl(IOCTL_SEND_VALUE_AND_WAIT, Concat({Le32(value), {0}}));
                if ((result.Status == STATUS_SUCCESS) != (value % 2 == 1)) {
                    ++wrongAnswers;
                }
            }
        });
    }
    for (auto& caller : callers) {
        caller.join();
    }
    EXPECT_EQ(wrongAnswers, 0);
}

}  // namespace
