// The message, bus and block sequences against the simulated device.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"
#include "driver/Sequences.h"

namespace {

using drivertest::Concat;
using drivertest::EightPortProgrammer;
using drivertest::Le16;
using drivertest::Le32;
using drivertest::OrdinaryDevice;
using drivertest::SimulatedBinding;
using ostrel::usb::SimulatedFault;
using Clock = std::chrono::steady_clock;
using Block = std::array<uint8_t, 32>;

std::vector<uint8_t> VdmRequest(uint16_t address, uint8_t data) {
    return Concat({Le16(address), {0xEE, 0xEE}, {data}});
}

std::vector<uint8_t> FarWritesTo(const ostrel::usb::SimulatedDevice& device, uint16_t address) {
    std::vector<uint8_t> values;
    for (auto [at, value] : device.FarWrites()) {
        if (at == address) {
            values.push_back(value);
        }
    }
    return values;
}

size_t CommandsSent(const ostrel::usb::SimulatedDevice& device, uint16_t command) {
    auto transfers = device.Transfers();
    return std::count_if(transfers.begin(), transfers.end(), [command](const auto& transfer) {
        return transfer.Setup.wIndex == command;
    });
}

TEST(Message, ReadReturnsTheFarRegisterOnlyWhenTheResponseEchoesIt) {
    SimulatedBinding binding(OrdinaryDevice());
    binding.Device().SetFarRegister(0x5005, 0x3C);
    auto read = binding.Ioctl(IOCTL_VDM_READ_REGISTER, VdmRequest(0x5005, 0xFF));
    ASSERT_EQ(read.Status, STATUS_SUCCESS);
    EXPECT_EQ(read.Output[4], 0x3C);

    binding.Device().SetFault(VENDOR_COMMAND_VDM_RESPONSE, SimulatedFault::WrongEcho);
    auto wrong = binding.Ioctl(IOCTL_VDM_READ_REGISTER, VdmRequest(0x5005, 0));
    EXPECT_EQ(wrong.Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(wrong.Information, 0u);
}

TEST(Message, WriteWaitsForTheAnswerOnlyOnTheEightPortProgrammer) {
    SimulatedBinding ordinary(OrdinaryDevice());
    ordinary.Device().SetMessageAnswer(std::nullopt);
    EXPECT_EQ(ordinary.Ioctl(IOCTL_VDM_WRITE_REGISTER, VdmRequest(0x2002, 0x28)).Status,
              STATUS_SUCCESS);
    EXPECT_EQ(ordinary.Device().FarRegister(0x2002), 0x28);

    auto timing = drivertest::ShortTiming();
    timing["MessageWaitMs"] = 300;
    SimulatedBinding programmer(EightPortProgrammer(), timing);
    struct Case {
        std::optional<uint8_t> answer;
        NTSTATUS status;
        bool waitsTheLimit;
    };
    for (const Case& c : std::vector<Case>{{5, STATUS_SUCCESS, false},
                                           {4, STATUS_UNSUCCESSFUL, false},
                                           {std::nullopt, STATUS_UNSUCCESSFUL, true}}) {
        programmer.Device().SetMessageAnswer(c.answer);
        auto started = Clock::now();
        EXPECT_EQ(programmer.Ioctl(IOCTL_VDM_WRITE_REGISTER, VdmRequest(0x2002, 0x28)).Status,
                  c.status);
        auto elapsed = Clock::now() - started;
        if (c.waitsTheLimit) {
            EXPECT_GE(elapsed, std::chrono::milliseconds(300));
        } else {
            EXPECT_LT(elapsed, std::chrono::milliseconds(300));
        }
    }
}

TEST(Bus, ReadReturnsTheTargetsByte) {
    SimulatedBinding binding(OrdinaryDevice());
    binding.Device().SetBusByte(0x50, 0x1234, 0xAB);
    binding.Device().SetBusCompletionPolls(3);
    auto result = binding.Ioctl(IOCTL_BUS_READ_BYTE, Concat({{0xA1}, Le16(0x1234), {0}}));
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 4u);
    EXPECT_EQ(result.Output[3], 0xAB);
}

TEST(Bus, ReadThatNeverCompletesPollsForAboutASecondAndStillStoresTheByte) {
    SimulatedBinding binding(OrdinaryDevice(), {});  // the product's own poll delay
    binding.Device().SetBusCompletionPolls(std::nullopt);
    binding.Device().SetRegister(BUS_READ_DATA_REGISTER, 0x5A);
    uint8_t data = 0xFF;
    auto started = Clock::now();
    NTSTATUS status;
    {
        std::lock_guard lock(binding.Context()->RequestLock);
        status = BusReadByte(binding.Context(), 0xA0, 0x0010, &data);
    }
    auto elapsed = Clock::now() - started;
    EXPECT_EQ(status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(data, 0x5A);
    auto transfers = binding.Device().Transfers();
    auto polls = std::count_if(transfers.begin(), transfers.end(), [](const auto& transfer) {
        return transfer.Setup.wIndex == BUS_CONTROL_REGISTER &&
               (transfer.Setup.bmRequestType & 0x80);
    });
    EXPECT_EQ(polls, 101);
    EXPECT_GE(elapsed, std::chrono::milliseconds(1010));
}

TEST(Bus, WriteKeepsTheReportedControlBitsAndWritesTheTarget) {
    SimulatedBinding binding(OrdinaryDevice());
    binding.Device().SetRegister(BUS_CONTROL_REGISTER, 0xA5000000);
    auto result = binding.Ioctl(IOCTL_BUS_WRITE, Concat({{0xA0}, Le16(0x0042), Le32(0xDEADBEEF)}));
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(binding.Device().BusValue(0x50, 0x0042), 0xDEADBEEFu);
    auto transfers = binding.Device().Transfers();
    auto control = std::find_if(transfers.begin(), transfers.end(), [](const auto& transfer) {
        return transfer.Setup.wIndex == BUS_CONTROL_REGISTER &&
               !(transfer.Setup.bmRequestType & 0x80);
    });
    ASSERT_NE(control, transfers.end());
    EXPECT_EQ(drivertest::ReadLe32(control->Data, 0), 0x25500042u);
}

class OrdinaryBlock : public testing::Test {
  protected:
    SimulatedBinding binding{OrdinaryDevice()};
    ostrel::usb::SimulatedDevice& device = binding.Device();

    io::DeviceIoControlResult Write(const Block& block) {
        device.ClearTransfers();
        return binding.Ioctl(IOCTL_WRITE_BLOCK, std::vector<uint8_t>(block.begin(), block.end()));
    }
};

TEST_F(OrdinaryBlock, ReadReturnsTheBlock) {
    Block block{};
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<uint8_t>(i * 7);
    }
    device.SetBlock(block);
    auto result = binding.Ioctl(IOCTL_READ_BLOCK, std::vector<uint8_t>(40, 0xEE));
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 40u);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), result.Output.begin()));
    EXPECT_EQ(result.Output[32], 0xEE);  // bytes past the block are left alone
}

TEST_F(OrdinaryBlock, ClearingAProtectedBitIsRefusedBeforeAnythingIsProgrammed) {
    Block current{};
    current[5] = 0x01;
    device.SetBlock(current);
    Block next{};
    next[0] = 0xFF;
    EXPECT_EQ(Write(next).Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(CommandsSent(device, VENDOR_COMMAND_ENTER_PROGRAMMING), 0u);
    EXPECT_TRUE(FarWritesTo(device, BLOCK_PROGRAM_DATA_REGISTER).empty());
    EXPECT_EQ(device.Block(), current);

    current[5] = 0;
    current[1] = 0x80;  // locked
    device.SetBlock(current);
    EXPECT_EQ(Write(next).Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(CommandsSent(device, VENDOR_COMMAND_ENTER_PROGRAMMING), 0u);
}

TEST_F(OrdinaryBlock, ClearingABitOutsideTheProtectedBytesLeavesItSet) {
    Block current{};
    current[20] = 0x01;
    device.SetBlock(current);
    Block next{};
    next[0] = 0x11;
    ASSERT_EQ(Write(next).Status, STATUS_SUCCESS);
    Block expected = current;
    expected[0] = 0x11;
    EXPECT_EQ(device.Block(), expected);
}

TEST_F(OrdinaryBlock, IdenticalBlockStillEntersProgrammingAndFramesTheWrite) {
    Block current{};
    current[3] = 0x42;
    device.SetBlock(current);
    ASSERT_EQ(Write(current).Status, STATUS_SUCCESS);
    EXPECT_EQ(CommandsSent(device, VENDOR_COMMAND_ENTER_PROGRAMMING), 1u);
    EXPECT_TRUE(FarWritesTo(device, BLOCK_PROGRAM_DATA_REGISTER).empty());
    auto control = FarWritesTo(device, BLOCK_CONTROL_REGISTER);
    // the read's start and end, then the write's start and end
    EXPECT_EQ(control, (std::vector<uint8_t>{0x00, 0x20, 0x10, 0x20}));
}

TEST_F(OrdinaryBlock, BytesAreProgrammedTwoBitsAtATime) {
    Block next{};
    next[0] = 0x11;
    next[1] = 0x03;
    ASSERT_EQ(Write(next).Status, STATUS_SUCCESS);
    EXPECT_EQ(FarWritesTo(device, BLOCK_PROGRAM_DATA_REGISTER),
              (std::vector<uint8_t>{0x11, 0x01, 0x02}));
    EXPECT_EQ(device.Block(), next);
}

TEST_F(OrdinaryBlock, ConcurrentReadsCannotInterleaveAWrite) {
    std::atomic<bool> writing{true};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (writing) {
            binding.Ioctl(IOCTL_READ_BLOCK, std::vector<uint8_t>(32));
            ++reads;
        }
    });
    while (reads == 0) {
        std::this_thread::yield();
    }
    Block next{};
    for (int bit = 0; bit < 7; ++bit) {  // bit 7 of byte 1 would lock the block
        for (uint8_t& byte : next) {
            byte |= static_cast<uint8_t>(1u << bit);
        }
        EXPECT_EQ(
            binding.Ioctl(IOCTL_WRITE_BLOCK, std::vector<uint8_t>(next.begin(), next.end())).Status,
            STATUS_SUCCESS);
    }
    writing = false;
    reader.join();
    EXPECT_EQ(device.Block(), next);
}

TEST(EightPortBlock, UsesItsOwnCommandsOnTheWholeBuffer) {
    SimulatedBinding binding(EightPortProgrammer());
    std::vector<uint8_t> written(40, 0);
    written[0] = 0x81;
    written[31] = 0x18;
    ASSERT_EQ(binding.Ioctl(IOCTL_WRITE_BLOCK, written).Status, STATUS_SUCCESS);
    auto read = binding.Ioctl(IOCTL_READ_BLOCK, std::vector<uint8_t>(40, 0xEE));
    ASSERT_EQ(read.Status, STATUS_SUCCESS);
    EXPECT_EQ(read.Output, written);

    binding.Device().SetMessageAnswer(4);
    EXPECT_EQ(binding.Ioctl(IOCTL_WRITE_BLOCK, written).Status, STATUS_UNSUCCESSFUL);
    binding.Device().ClearTransfers();
    EXPECT_EQ(binding.Ioctl(IOCTL_READ_BLOCK, std::vector<uint8_t>(0x10000)).Status,
              STATUS_UNSUCCESSFUL);
    EXPECT_TRUE(binding.Device().Transfers().empty());
}

}  // namespace
