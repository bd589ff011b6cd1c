// Encoding and decoding of the device protocol.
#include "driver/Protocol.h"

#include "driver/DeviceIds.h"

namespace {

constexpr uint32_t kStructuredVdm = 0x8000;

void StoreLe32(uint32_t value, uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t LoadLe32(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace

VDM_MESSAGE EncodeVdm(bool read, uint16_t address, uint8_t data) {
    uint32_t command = read ? VDM_COMMAND_REGISTER_READ : VDM_COMMAND_REGISTER_WRITE;
    return VDM_MESSAGE{
        (static_cast<uint32_t>(MAKER_VENDOR_ID) << 16) | kStructuredVdm | command,
        (static_cast<uint32_t>(address) << 16) | (static_cast<uint32_t>(read ? 0 : data) << 8)};
}

void VdmToBytes(const VDM_MESSAGE& message, std::span<uint8_t, VDM_MESSAGE_SIZE> bytes) {
    StoreLe32(message.Header, bytes.data());
    StoreLe32(message.Data, bytes.data() + 4);
}

VDM_MESSAGE VdmFromBytes(std::span<const uint8_t, VDM_MESSAGE_SIZE> bytes) {
    return VDM_MESSAGE{LoadLe32(bytes.data()), LoadLe32(bytes.data() + 4)};
}

std::optional<uint8_t> DecodeVdmResponse(std::span<const uint8_t, VDM_RESPONSE_SIZE> bytes,
                                         uint16_t address) {
    uint32_t response = LoadLe32(bytes.data());
    if ((response >> 16) != address) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(response >> 8);
}

void EncodeVdmResponse(uint16_t address, uint8_t data,
                       std::span<uint8_t, VDM_RESPONSE_SIZE> bytes) {
    StoreLe32((static_cast<uint32_t>(address) << 16) | (static_cast<uint32_t>(data) << 8),
              bytes.data());
}

uint32_t BusReadControl(uint8_t address, uint16_t offset) {
    return (static_cast<uint32_t>(address & 0xFE) << 15) | offset | BUS_CONTROL_READ;
}

uint32_t BusWriteControl(uint8_t address, uint16_t offset, uint32_t reported) {
    return (static_cast<uint32_t>(address & 0xFE) << 15) | offset | (reported & BUS_CONTROL_KEPT);
}

bool BlockIsLocked(std::span<const uint8_t, 32> current) {
    return (current[1] & 0x80) != 0;
}

bool BlockClearsProtectedBit(std::span<const uint8_t, 32> current,
                             std::span<const uint8_t, 32> next) {
    for (size_t i = 3; i <= 17; ++i) {
        if (current[i] & ~next[i]) {
            return true;
        }
    }
    return false;
}

std::vector<uint8_t> ProgramSteps(uint8_t current, uint8_t next) {
    std::vector<uint8_t> steps;
    for (int k = 0; k < 4; ++k) {
        uint8_t pair = static_cast<uint8_t>((1u << k) | (1u << (k + 4)));
        if ((current ^ next) & pair) {
            steps.push_back(static_cast<uint8_t>(next & ~current & pair));
        }
    }
    return steps;
}

std::optional<NOTIFICATION> DecodeNotification(std::span<const uint8_t> transfer, bool eightPort) {
    if (transfer.empty()) {
        return std::nullopt;
    }
    uint8_t code = transfer[0];
    switch (code) {
        case 0:
        case 1:
            if (!eightPort) {
                return NOTIFICATION{NotificationKind::Connection, code};
            }
            if (transfer.size() < 2) {
                return std::nullopt;
            }
            return NOTIFICATION{NotificationKind::Connection, transfer[1]};
        case 2:
        case 3:
            return NOTIFICATION{NotificationKind::ValueCommand, static_cast<uint8_t>(code - 2)};
        case 4:
        case 5:
            return NOTIFICATION{NotificationKind::Message, static_cast<uint8_t>(code - 4)};
        default:
            return std::nullopt;
    }
}
