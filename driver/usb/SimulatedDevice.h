// A simulated device of the family, speaking the device side of the protocol over the same
// backend interface as a real USB device: configurable descriptors, a 32-bit register file with
// the indirect bus controller, the far side of the link reached by power-delivery messages with
// the programmable block, vendor commands 0 to 16 with their notifications, and fault injection.
// Used by the tests and by `ostreld --simulate`.
//
// Setup packets of register accesses and vendor commands have the same shape; the device takes
// an index of 16 or less as a command number and anything above as a register address.
// Notifications are delivered asynchronously, on the device's own thread, to pending reads.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "driver/framework/UsbDeviceBackend.h"

namespace ostrel::usb {

struct SimulatedInterface {
    uint8_t InterfaceClass = 3;
    // With an interrupt IN endpoint; otherwise the interface has an interrupt OUT endpoint.
    bool InterruptIn = true;
};

struct SimulatedDeviceConfig {
    uint16_t VendorId = 0;
    uint16_t ProductId = 0;
    uint16_t Release = 0x0100;
    std::vector<SimulatedInterface> Interfaces{SimulatedInterface{}};
};

enum class SimulatedFault {
    Stall,      // the transfer fails as a stalled pipe
    Timeout,    // the transfer fails as timed out (at once)
    WrongEcho,  // a message response echoes another register address
};

struct SimulatedTransfer {
    USB_SETUP_PACKET Setup;
    std::vector<uint8_t> Data;  // sent (OUT) or returned (IN)
    NTSTATUS Status;
};

class SimulatedDevice : public UsbDeviceBackend {
  public:
    // The transfer and far-side write logs keep the most recent entries only: at most
    // kLogCapacity each, and at most kLogDataBytes of transfer data.
    static constexpr size_t kLogCapacity = 4096;
    static constexpr size_t kLogDataBytes = 1 << 20;

    explicit SimulatedDevice(const SimulatedDeviceConfig& config);
    ~SimulatedDevice() override;

    // UsbDeviceBackend
    NTSTATUS GetDeviceDescriptor(USB_DEVICE_DESCRIPTOR& descriptor) override;
    NTSTATUS GetConfigurationDescriptor(std::vector<uint8_t>& descriptor) override;
    NTSTATUS SelectConfiguration(uint8_t configurationValue,
                                 std::span<const uint8_t> interfaceNumbers) override;
    NTSTATUS ControlTransfer(const USB_SETUP_PACKET& setup, std::span<uint8_t> data,
                             std::chrono::milliseconds timeout, size_t& transferred) override;
    NTSTATUS SubmitInterruptRead(uint8_t endpointAddress, size_t length,
                                 InterruptCompletion completion) override;
    void CancelInterruptReads(uint8_t endpointAddress) override;

    // --- the device's state ---
    void SetRegister(uint16_t address, uint32_t value);
    uint32_t Register(uint16_t address) const;
    // The byte at `offset` of the bus target with 7-bit address `target`.
    void SetBusByte(uint8_t target, uint16_t offset, uint8_t value);
    uint32_t BusValue(uint8_t target, uint16_t offset) const;
    // Reads of the control register before a bus transfer completes; nullopt: never completes.
    void SetBusCompletionPolls(std::optional<uint32_t> polls);
    void SetFarRegister(uint16_t address, uint8_t value);
    uint8_t FarRegister(uint16_t address) const;
    std::array<uint8_t, 32> Block() const;
    void SetBlock(const std::array<uint8_t, 32>& block);
    void SetIndexedByte(uint16_t index, uint8_t value);
    uint8_t IndexedByte(uint16_t index) const;
    void SetDword(uint32_t value);
    void SetByte(uint8_t value);
    uint16_t LastWord() const;
    uint32_t LastValue() const;
    uint8_t SelectedPort() const;
    size_t Triggers() const;

    // --- notifications ---
    // The code that answers command 6 (2 or 3), nullopt for none. Default 3.
    void SetValueCommandAnswer(std::optional<uint8_t> code);
    // The answer chosen by the value sent.
    void SetValueCommandAnswer(std::function<std::optional<uint8_t>(uint32_t value)> answer);
    // The code that answers messages and block commands on the eight-port programmer (4 or 5),
    // nullopt for none. Default 5.
    void SetMessageAnswer(std::optional<uint8_t> code);
    // Connects or disconnects ports: sets the connection mask and, with `notify`, sends the
    // connection notification.
    void SetConnectionMask(uint8_t mask, bool notify = true);
    // Sends raw notification bytes.
    void Notify(std::vector<uint8_t> bytes);
    // The next read completes with `status` and no data instead of the next notification.
    void FailNextRead(NTSTATUS status);
    size_t PendingReads() const;

    // --- faults and the transfer log ---
    // Applies to every transfer whose index is `index` (command number or register address).
    void SetFault(uint16_t index, std::optional<SimulatedFault> fault);
    // The recent transfers, oldest first.
    std::vector<SimulatedTransfer> Transfers() const;
    void ClearTransfers();
    // The far side's recent register writes in order: (register, value).
    std::vector<std::pair<uint16_t, uint8_t>> FarWrites() const;

    // The next `count` configuration selections fail.
    void FailConfigurations(unsigned count);
    size_t ConfigurationsSelected() const;

    // The device is gone: transfers fail and pending reads end.
    void Unplug();

  private:
    struct PendingRead {
        uint8_t Endpoint;
        size_t Length;
        InterruptCompletion Completion;
    };

    bool EightPort() const;
    NTSTATUS HandleCommand(uint16_t command, uint16_t value, bool in, std::span<uint8_t> data);
    NTSTATUS HandleRegister(uint16_t address, bool in, std::span<uint8_t> data);
    uint32_t ReadRegisterLocked(uint16_t address);
    void WriteRegisterLocked(uint16_t address, uint32_t value);
    NTSTATUS HandleVdm(std::span<const uint8_t> data);
    void LogTransferLocked(SimulatedTransfer transfer);
    void WriteFarLocked(uint16_t address, uint8_t value);
    void ProgramLocked(size_t index, uint8_t bits);
    void NotifyLocked(std::vector<uint8_t> bytes);
    void NotifyCodeLocked(std::optional<uint8_t> code);
    void Deliver();

    SimulatedDeviceConfig mConfig;
    mutable std::mutex mMutex;
    std::condition_variable mDeliveryChanged;
    std::map<uint16_t, uint32_t> mRegisters;
    std::map<uint32_t, uint32_t> mBus;
    std::optional<uint32_t> mBusCompletionPolls = 1;
    std::optional<uint32_t> mBusPollsLeft;
    bool mBusRead = false;
    std::map<uint16_t, uint8_t> mFar;
    std::deque<std::pair<uint16_t, uint8_t>> mFarWrites;
    uint16_t mLastVdmRegister = 0;
    std::array<uint8_t, 32> mBlock{};
    bool mProgrammingMode = false;
    std::map<uint16_t, uint8_t> mIndexed;
    uint32_t mDword = 0;
    uint8_t mByte = 0;
    uint16_t mWord = 0;
    uint32_t mValue = 0;
    uint8_t mSelectedPort = 0;
    uint8_t mConnectionMask = 0;
    size_t mTriggers = 0;
    std::function<std::optional<uint8_t>(uint32_t)> mValueCommandAnswer = [](uint32_t) {
        return uint8_t{3};
    };
    std::optional<uint8_t> mMessageAnswer = 5;
    std::map<uint16_t, SimulatedFault> mFaults;
    std::deque<SimulatedTransfer> mTransfers;
    size_t mTransferDataBytes = 0;
    std::deque<std::vector<uint8_t>> mNotifications;
    std::optional<NTSTATUS> mFailNextRead;
    std::deque<PendingRead> mPendingReads;
    unsigned mConfigurationFailures = 0;
    size_t mConfigurationsSelected = 0;
    bool mUnplugged = false;
    bool mStopping = false;
    std::thread mDelivery;
};

}  // namespace ostrel::usb
