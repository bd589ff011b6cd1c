// The simulated device's side of descriptors, control transfers, notifications and faults.
#include "driver/usb/SimulatedDevice.h"

#include <algorithm>
#include <cstring>

#include "driver/DeviceIds.h"
#include "driver/Protocol.h"

namespace ostrel::usb {
namespace {

constexpr uint16_t kLastCommand = 16;
constexpr uint8_t kMaximumPacketSize = 8;

uint32_t BusKey(uint8_t target, uint16_t offset) {
    return (static_cast<uint32_t>(target) << 16) | offset;
}

}  // namespace

SimulatedDevice::SimulatedDevice(const SimulatedDeviceConfig& config)
    : mConfig(config), mDelivery([this] { Deliver(); }) {}

SimulatedDevice::~SimulatedDevice() {
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mDeliveryChanged.notify_all();
    mDelivery.join();
}

bool SimulatedDevice::EightPort() const {
    return mConfig.VendorId == MAKER_VENDOR_ID && mConfig.ProductId == PROGRAMMER_PRODUCT_ID &&
           mConfig.Release == EIGHT_PORT_RELEASE;
}

NTSTATUS SimulatedDevice::GetDeviceDescriptor(USB_DEVICE_DESCRIPTOR& descriptor) {
    descriptor = USB_DEVICE_DESCRIPTOR{};
    descriptor.bLength = sizeof descriptor;
    descriptor.bDescriptorType = USB_DEVICE_DESCRIPTOR_TYPE;
    descriptor.bcdUSB = 0x0200;
    descriptor.bMaxPacketSize0 = 64;
    descriptor.idVendor = mConfig.VendorId;
    descriptor.idProduct = mConfig.ProductId;
    descriptor.bcdDevice = mConfig.Release;
    descriptor.bNumConfigurations = 1;
    return STATUS_SUCCESS;
}

NTSTATUS SimulatedDevice::GetConfigurationDescriptor(std::vector<uint8_t>& descriptor) {
    descriptor.clear();
    auto append = [&descriptor](const auto& part) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&part);
        descriptor.insert(descriptor.end(), bytes, bytes + sizeof part);
    };
    USB_CONFIGURATION_DESCRIPTOR configuration{};
    configuration.bLength = sizeof configuration;
    configuration.bDescriptorType = USB_CONFIGURATION_DESCRIPTOR_TYPE;
    configuration.bNumInterfaces = static_cast<uint8_t>(mConfig.Interfaces.size());
    configuration.bConfigurationValue = 1;
    configuration.bmAttributes = 0x80;
    configuration.MaxPower = 50;
    append(configuration);
    for (size_t i = 0; i < mConfig.Interfaces.size(); ++i) {
        USB_INTERFACE_DESCRIPTOR usbInterface{};
        usbInterface.bLength = sizeof usbInterface;
        usbInterface.bDescriptorType = USB_INTERFACE_DESCRIPTOR_TYPE;
        usbInterface.bInterfaceNumber = static_cast<uint8_t>(i);
        usbInterface.bNumEndpoints = 1;
        usbInterface.bInterfaceClass = mConfig.Interfaces[i].InterfaceClass;
        append(usbInterface);
        USB_ENDPOINT_DESCRIPTOR endpoint{};
        endpoint.bLength = sizeof endpoint;
        endpoint.bDescriptorType = USB_ENDPOINT_DESCRIPTOR_TYPE;
        endpoint.bEndpointAddress = static_cast<uint8_t>(
            (i + 1) | (mConfig.Interfaces[i].InterruptIn ? USB_ENDPOINT_DIRECTION_MASK : 0));
        endpoint.bmAttributes = USB_ENDPOINT_TYPE_INTERRUPT;
        endpoint.wMaxPacketSize = kMaximumPacketSize;
        endpoint.bInterval = 10;
        append(endpoint);
    }
    auto total = static_cast<uint16_t>(descriptor.size());
    std::memcpy(descriptor.data() + offsetof(USB_CONFIGURATION_DESCRIPTOR, wTotalLength), &total,
                sizeof total);
    return STATUS_SUCCESS;
}

NTSTATUS SimulatedDevice::SelectConfiguration(uint8_t configurationValue,
                                              std::span<const uint8_t> interfaceNumbers) {
    std::lock_guard lock(mMutex);
    if (mUnplugged) {
        return STATUS_DEVICE_NOT_CONNECTED;
    }
    if (mConfigurationFailures > 0) {
        --mConfigurationFailures;
        return STATUS_UNSUCCESSFUL;
    }
    ++mConfigurationsSelected;
    bool known = std::all_of(interfaceNumbers.begin(), interfaceNumbers.end(),
                             [this](uint8_t number) { return number < mConfig.Interfaces.size(); });
    return configurationValue == 1 && known ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL;
}

NTSTATUS SimulatedDevice::ControlTransfer(const USB_SETUP_PACKET& setup, std::span<uint8_t> data,
                                          std::chrono::milliseconds, size_t& transferred) {
    std::lock_guard lock(mMutex);
    transferred = 0;
    bool in = (setup.bmRequestType & 0x80) != 0;
    NTSTATUS status = STATUS_SUCCESS;
    auto fault = mFaults.find(setup.wIndex);
    if (mUnplugged) {
        status = STATUS_DEVICE_NOT_CONNECTED;
    } else if (fault != mFaults.end() && fault->second == SimulatedFault::Stall) {
        status = STATUS_UNSUCCESSFUL;
    } else if (fault != mFaults.end() && fault->second == SimulatedFault::Timeout) {
        status = STATUS_IO_TIMEOUT;
    } else if ((setup.bmRequestType & 0x60) != 0x40 || setup.wLength != data.size() ||
               setup.bRequest != (in ? VENDOR_REQUEST_IN : VENDOR_REQUEST_OUT)) {
        status = STATUS_UNSUCCESSFUL;
    } else if (setup.wIndex <= kLastCommand) {
        status = HandleCommand(setup.wIndex, setup.wValue, in, data);
    } else {
        status = HandleRegister(setup.wIndex, in, data);
    }
    if (NT_SUCCESS(status)) {
        transferred = data.size();
    }
    LogTransferLocked(
        SimulatedTransfer{setup, std::vector<uint8_t>(data.begin(), data.end()), status});
    return status;
}

void SimulatedDevice::LogTransferLocked(SimulatedTransfer transfer) {
    mTransferDataBytes += transfer.Data.size();
    mTransfers.push_back(std::move(transfer));
    while (mTransfers.size() > kLogCapacity ||
           (mTransferDataBytes > kLogDataBytes && mTransfers.size() > 1)) {
        mTransferDataBytes -= mTransfers.front().Data.size();
        mTransfers.pop_front();
    }
}

NTSTATUS SimulatedDevice::HandleRegister(uint16_t address, bool in, std::span<uint8_t> data) {
    if (data.size() != 4) {
        return STATUS_UNSUCCESSFUL;
    }
    if (in) {
        uint32_t value = ReadRegisterLocked(address);
        std::memcpy(data.data(), &value, 4);
    } else {
        uint32_t value;
        std::memcpy(&value, data.data(), 4);
        WriteRegisterLocked(address, value);
    }
    return STATUS_SUCCESS;
}

// The bus controller completes a transfer after the configured number of control-register reads.
uint32_t SimulatedDevice::ReadRegisterLocked(uint16_t address) {
    uint32_t& control = mRegisters[BUS_CONTROL_REGISTER];
    if (address == BUS_CONTROL_REGISTER && mBusPollsLeft &&
        (*mBusPollsLeft == 0 || --*mBusPollsLeft == 0)) {
        mBusPollsLeft.reset();
        uint8_t target = static_cast<uint8_t>((control >> 16) & 0x7F);
        auto offset = static_cast<uint16_t>(control);
        if (mBusRead) {
            mRegisters[BUS_READ_DATA_REGISTER] = mBus[BusKey(target, offset)];
        } else {
            mBus[BusKey(target, offset)] = mRegisters[BUS_WRITE_DATA_REGISTER];
        }
        control |= BUS_CONTROL_DONE;
    }
    return mRegisters[address];
}

void SimulatedDevice::WriteRegisterLocked(uint16_t address, uint32_t value) {
    mRegisters[address] = value;
    if (address == BUS_CONTROL_REGISTER) {
        mBusRead = (value & BUS_CONTROL_READ) != 0;
        mBusPollsLeft = mBusCompletionPolls;
    }
}

NTSTATUS SimulatedDevice::HandleCommand(uint16_t command, uint16_t value, bool in,
                                        std::span<uint8_t> data) {
    auto expect = [&](bool direction, size_t length) {
        return in == direction && data.size() == length;
    };
    switch (command) {
        case VENDOR_COMMAND_BLOCK_READ_REQUEST:
            if (!EightPort() || !in || data.empty()) {
                return STATUS_UNSUCCESSFUL;
            }
            std::fill(data.begin(), data.end(), 0);
            NotifyCodeLocked(mMessageAnswer);
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_BLOCK_WRITE:
            if (!EightPort() || in || data.empty()) {
                return STATUS_UNSUCCESSFUL;
            }
            for (size_t i = 0; i < std::min(data.size(), mBlock.size()); ++i) {
                ProgramLocked(i, data[i]);
            }
            NotifyCodeLocked(mMessageAnswer);
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_VDM:
            return expect(false, VDM_MESSAGE_SIZE) ? HandleVdm(data) : STATUS_UNSUCCESSFUL;
        case VENDOR_COMMAND_VDM_RESPONSE: {
            if (!expect(true, VDM_RESPONSE_SIZE)) {
                return STATUS_UNSUCCESSFUL;
            }
            auto fault = mFaults.find(command);
            bool wrongEcho = fault != mFaults.end() && fault->second == SimulatedFault::WrongEcho;
            uint16_t echoed =
                wrongEcho ? static_cast<uint16_t>(mLastVdmRegister + 1) : mLastVdmRegister;
            EncodeVdmResponse(echoed, mFar[mLastVdmRegister], data.first<VDM_RESPONSE_SIZE>());
            return STATUS_SUCCESS;
        }
        case VENDOR_COMMAND_ENTER_PROGRAMMING:
            if (!expect(false, 0)) {
                return STATUS_UNSUCCESSFUL;
            }
            mProgrammingMode = true;
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_SEND_VALUE:
            if (!expect(false, 4)) {
                return STATUS_UNSUCCESSFUL;
            }
            std::memcpy(&mValue, data.data(), 4);
            NotifyCodeLocked(mValueCommandAnswer(mValue));
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_READ_DWORD:
            if (!expect(true, 4)) {
                return STATUS_UNSUCCESSFUL;
            }
            std::memcpy(data.data(), &mDword, 4);
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_READ_BYTE:
            if (!expect(true, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            data[0] = mByte;
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_TRIGGER:
            if (!expect(false, 4)) {
                return STATUS_UNSUCCESSFUL;
            }
            ++mTriggers;
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_WRITE_WORD:
            if (!expect(false, 2)) {
                return STATUS_UNSUCCESSFUL;
            }
            std::memcpy(&mWord, data.data(), 2);
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_READ_INDEXED_BYTE:
            if (!expect(true, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            data[0] = mIndexed[value];
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_WRITE_INDEXED_BYTE:
            if (!expect(false, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            mIndexed[value] = data[0];
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_SELECT_PORT:
            if (!expect(false, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            mSelectedPort = data[0];
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_GET_SELECTED_PORT:
            if (!expect(true, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            data[0] = mSelectedPort;
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_BLOCK_READ_RESULT:
            if (!EightPort() || !in || data.empty()) {
                return STATUS_UNSUCCESSFUL;
            }
            std::fill(data.begin(), data.end(), 0);
            std::copy_n(mBlock.begin(), std::min(data.size(), mBlock.size()), data.begin());
            return STATUS_SUCCESS;
        case VENDOR_COMMAND_GET_CONNECTION_MASK:
            if (!expect(true, 1)) {
                return STATUS_UNSUCCESSFUL;
            }
            data[0] = mConnectionMask;
            return STATUS_SUCCESS;
        default:
            return STATUS_UNSUCCESSFUL;
    }
}

NTSTATUS SimulatedDevice::HandleVdm(std::span<const uint8_t> data) {
    VDM_MESSAGE message = VdmFromBytes(data.first<VDM_MESSAGE_SIZE>());
    uint8_t command = message.Header & 0x1F;
    if ((message.Header >> 16) != MAKER_VENDOR_ID || !(message.Header & 0x8000) ||
        (command != VDM_COMMAND_REGISTER_READ && command != VDM_COMMAND_REGISTER_WRITE)) {
        return STATUS_UNSUCCESSFUL;
    }
    mLastVdmRegister = static_cast<uint16_t>(message.Data >> 16);
    if (command == VDM_COMMAND_REGISTER_WRITE) {
        WriteFarLocked(mLastVdmRegister, static_cast<uint8_t>(message.Data >> 8));
    }
    if (EightPort()) {
        NotifyCodeLocked(mMessageAnswer);
    }
    return STATUS_SUCCESS;
}

// The block controller: an operation write reads a byte into the read-data register or, in
// programming mode after the start of programming, sets the program-data bits in a byte.
void SimulatedDevice::WriteFarLocked(uint16_t address, uint8_t value) {
    mFar[address] = value;
    mFarWrites.emplace_back(address, value);
    if (mFarWrites.size() > kLogCapacity) {
        mFarWrites.pop_front();
    }
    size_t index = mFar[BLOCK_INDEX_REGISTER] % mBlock.size();
    if (address == BLOCK_OPERATION_REGISTER && value == BLOCK_OPERATION_READ) {
        mFar[BLOCK_READ_DATA_REGISTER] = mBlock[index];
    } else if (address == BLOCK_OPERATION_REGISTER && value == BLOCK_OPERATION_PROGRAM &&
               mProgrammingMode && mFar[BLOCK_CONTROL_REGISTER] == BLOCK_CONTROL_PROGRAM_START) {
        ProgramLocked(index, mFar[BLOCK_PROGRAM_DATA_REGISTER]);
    } else if (address == BLOCK_CONTROL_REGISTER && value == BLOCK_CONTROL_END) {
        mProgrammingMode = false;
    }
}

// Programmed bits stay set; a locked block takes no more bits.
void SimulatedDevice::ProgramLocked(size_t index, uint8_t bits) {
    if (!(mBlock[1] & 0x80)) {
        mBlock[index] |= bits;
    }
}

void SimulatedDevice::NotifyCodeLocked(std::optional<uint8_t> code) {
    if (code) {
        NotifyLocked(EightPort() ? std::vector<uint8_t>{*code, 0} : std::vector<uint8_t>{*code});
    }
}

void SimulatedDevice::NotifyLocked(std::vector<uint8_t> bytes) {
    mNotifications.push_back(std::move(bytes));
    mDeliveryChanged.notify_all();
}

NTSTATUS SimulatedDevice::SubmitInterruptRead(uint8_t endpointAddress, size_t length,
                                              InterruptCompletion completion) {
    std::lock_guard lock(mMutex);
    if (mUnplugged) {
        return STATUS_DEVICE_NOT_CONNECTED;
    }
    mPendingReads.push_back(PendingRead{endpointAddress, length, std::move(completion)});
    mDeliveryChanged.notify_all();
    return STATUS_SUCCESS;
}

void SimulatedDevice::CancelInterruptReads(uint8_t endpointAddress) {
    std::vector<PendingRead> cancelled;
    {
        std::lock_guard lock(mMutex);
        auto kept = std::stable_partition(mPendingReads.begin(), mPendingReads.end(),
                                          [endpointAddress](const PendingRead& read) {
                                              return read.Endpoint != endpointAddress;
                                          });
        std::move(kept, mPendingReads.end(), std::back_inserter(cancelled));
        mPendingReads.erase(kept, mPendingReads.end());
    }
    for (auto& read : cancelled) {
        read.Completion(STATUS_CANCELLED, {});
    }
}

// Hands each notification (or injected read failure) to the oldest pending read.
void SimulatedDevice::Deliver() {
    std::unique_lock lock(mMutex);
    for (;;) {
        mDeliveryChanged.wait(lock, [this] {
            return mStopping || (!mPendingReads.empty() &&
                                 (!mNotifications.empty() || mFailNextRead || mUnplugged));
        });
        if (mStopping) {
            return;
        }
        PendingRead read = std::move(mPendingReads.front());
        mPendingReads.pop_front();
        NTSTATUS status = STATUS_SUCCESS;
        std::vector<uint8_t> bytes;
        if (mUnplugged) {
            status = STATUS_DEVICE_NOT_CONNECTED;
        } else if (mFailNextRead) {
            status = *mFailNextRead;
            mFailNextRead.reset();
        } else {
            bytes = std::move(mNotifications.front());
            mNotifications.pop_front();
            bytes.resize(std::min(bytes.size(), read.Length));
        }
        lock.unlock();
        read.Completion(status, bytes);
        lock.lock();
    }
}

void SimulatedDevice::SetRegister(uint16_t address, uint32_t value) {
    std::lock_guard lock(mMutex);
    mRegisters[address] = value;
}

uint32_t SimulatedDevice::Register(uint16_t address) const {
    std::lock_guard lock(mMutex);
    auto found = mRegisters.find(address);
    return found == mRegisters.end() ? 0 : found->second;
}

void SimulatedDevice::SetBusByte(uint8_t target, uint16_t offset, uint8_t value) {
    std::lock_guard lock(mMutex);
    mBus[BusKey(target, offset)] = value;
}

uint32_t SimulatedDevice::BusValue(uint8_t target, uint16_t offset) const {
    std::lock_guard lock(mMutex);
    auto found = mBus.find(BusKey(target, offset));
    return found == mBus.end() ? 0 : found->second;
}

void SimulatedDevice::SetBusCompletionPolls(std::optional<uint32_t> polls) {
    std::lock_guard lock(mMutex);
    mBusCompletionPolls = polls;
}

void SimulatedDevice::SetFarRegister(uint16_t address, uint8_t value) {
    std::lock_guard lock(mMutex);
    mFar[address] = value;
}

uint8_t SimulatedDevice::FarRegister(uint16_t address) const {
    std::lock_guard lock(mMutex);
    auto found = mFar.find(address);
    return found == mFar.end() ? 0 : found->second;
}

std::array<uint8_t, 32> SimulatedDevice::Block() const {
    std::lock_guard lock(mMutex);
    return mBlock;
}

void SimulatedDevice::SetBlock(const std::array<uint8_t, 32>& block) {
    std::lock_guard lock(mMutex);
    mBlock = block;
}

void SimulatedDevice::SetIndexedByte(uint16_t index, uint8_t value) {
    std::lock_guard lock(mMutex);
    mIndexed[index] = value;
}

uint8_t SimulatedDevice::IndexedByte(uint16_t index) const {
    std::lock_guard lock(mMutex);
    auto found = mIndexed.find(index);
    return found == mIndexed.end() ? 0 : found->second;
}

void SimulatedDevice::SetDword(uint32_t value) {
    std::lock_guard lock(mMutex);
    mDword = value;
}

void SimulatedDevice::SetByte(uint8_t value) {
    std::lock_guard lock(mMutex);
    mByte = value;
}

uint16_t SimulatedDevice::LastWord() const {
    std::lock_guard lock(mMutex);
    return mWord;
}

uint32_t SimulatedDevice::LastValue() const {
    std::lock_guard lock(mMutex);
    return mValue;
}

uint8_t SimulatedDevice::SelectedPort() const {
    std::lock_guard lock(mMutex);
    return mSelectedPort;
}

size_t SimulatedDevice::Triggers() const {
    std::lock_guard lock(mMutex);
    return mTriggers;
}

void SimulatedDevice::SetValueCommandAnswer(std::optional<uint8_t> code) {
    SetValueCommandAnswer([code](uint32_t) { return code; });
}

void SimulatedDevice::SetValueCommandAnswer(
    std::function<std::optional<uint8_t>(uint32_t value)> answer) {
    std::lock_guard lock(mMutex);
    mValueCommandAnswer = std::move(answer);
}

void SimulatedDevice::SetMessageAnswer(std::optional<uint8_t> code) {
    std::lock_guard lock(mMutex);
    mMessageAnswer = code;
}

void SimulatedDevice::SetConnectionMask(uint8_t mask, bool notify) {
    std::lock_guard lock(mMutex);
    mConnectionMask = mask;
    if (!notify) {
        return;
    }
    uint8_t code = mask ? 1 : 0;
    NotifyLocked(EightPort() ? std::vector<uint8_t>{code, mask} : std::vector<uint8_t>{code});
}

void SimulatedDevice::Notify(std::vector<uint8_t> bytes) {
    std::lock_guard lock(mMutex);
    NotifyLocked(std::move(bytes));
}

void SimulatedDevice::FailNextRead(NTSTATUS status) {
    std::lock_guard lock(mMutex);
    mFailNextRead = status;
    mDeliveryChanged.notify_all();
}

size_t SimulatedDevice::PendingReads() const {
    std::lock_guard lock(mMutex);
    return mPendingReads.size();
}

void SimulatedDevice::SetFault(uint16_t index, std::optional<SimulatedFault> fault) {
    std::lock_guard lock(mMutex);
    if (fault) {
        mFaults[index] = *fault;
    } else {
        mFaults.erase(index);
    }
}

std::vector<SimulatedTransfer> SimulatedDevice::Transfers() const {
    std::lock_guard lock(mMutex);
    return {mTransfers.begin(), mTransfers.end()};
}

void SimulatedDevice::ClearTransfers() {
    std::lock_guard lock(mMutex);
    mTransfers.clear();
    mTransferDataBytes = 0;
    mFarWrites.clear();
}

std::vector<std::pair<uint16_t, uint8_t>> SimulatedDevice::FarWrites() const {
    std::lock_guard lock(mMutex);
    return {mFarWrites.begin(), mFarWrites.end()};
}

void SimulatedDevice::FailConfigurations(unsigned count) {
    std::lock_guard lock(mMutex);
    mConfigurationFailures = count;
}

size_t SimulatedDevice::ConfigurationsSelected() const {
    std::lock_guard lock(mMutex);
    return mConfigurationsSelected;
}

void SimulatedDevice::Unplug() {
    std::lock_guard lock(mMutex);
    mUnplugged = true;
    mDeliveryChanged.notify_all();
}

}  // namespace ostrel::usb
