// The device protocol as pure encode/decode on values and byte buffers: vendor requests and
// commands, power-delivery vendor-defined messages (VDM), the indirect bus controller's control
// word, the programmable block's rules and programming steps, and notification decoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Vendor requests on the default pipe (the setup packet's request field).
inline constexpr uint8_t VENDOR_REQUEST_IN = 0x40;
inline constexpr uint8_t VENDOR_REQUEST_OUT = 0x41;
inline constexpr uint8_t VENDOR_REQUEST_TYPE_IN = 0xC0;
inline constexpr uint8_t VENDOR_REQUEST_TYPE_OUT = 0x40;

// Vendor commands (the setup packet's index field). Command 5 is not used.
enum VENDOR_COMMAND : uint16_t {
    VENDOR_COMMAND_BLOCK_READ_REQUEST = 0,
    VENDOR_COMMAND_BLOCK_WRITE = 1,
    VENDOR_COMMAND_VDM = 2,
    VENDOR_COMMAND_VDM_RESPONSE = 3,
    VENDOR_COMMAND_ENTER_PROGRAMMING = 4,
    VENDOR_COMMAND_SEND_VALUE = 6,
    VENDOR_COMMAND_READ_DWORD = 7,
    VENDOR_COMMAND_READ_BYTE = 8,
    VENDOR_COMMAND_TRIGGER = 9,
    VENDOR_COMMAND_WRITE_WORD = 10,
    VENDOR_COMMAND_READ_INDEXED_BYTE = 11,
    VENDOR_COMMAND_WRITE_INDEXED_BYTE = 12,
    VENDOR_COMMAND_SELECT_PORT = 13,
    VENDOR_COMMAND_GET_SELECTED_PORT = 14,
    VENDOR_COMMAND_BLOCK_READ_RESULT = 15,
    VENDOR_COMMAND_GET_CONNECTION_MASK = 16,
};

// --- power-delivery vendor-defined messages ---

inline constexpr uint8_t VDM_COMMAND_REGISTER_WRITE = 0x10;
inline constexpr uint8_t VDM_COMMAND_REGISTER_READ = 0x11;
inline constexpr size_t VDM_MESSAGE_SIZE = 8;
inline constexpr size_t VDM_RESPONSE_SIZE = 4;

// Header and data words of a structured VDM for a register read or write of the far side.
struct VDM_MESSAGE {
    uint32_t Header;
    uint32_t Data;
};

VDM_MESSAGE EncodeVdm(bool read, uint16_t address, uint8_t data);
void VdmToBytes(const VDM_MESSAGE& message, std::span<uint8_t, VDM_MESSAGE_SIZE> bytes);
VDM_MESSAGE VdmFromBytes(std::span<const uint8_t, VDM_MESSAGE_SIZE> bytes);
// The data byte of a response, when the response echoes `address`.
std::optional<uint8_t> DecodeVdmResponse(std::span<const uint8_t, VDM_RESPONSE_SIZE> bytes,
                                         uint16_t address);
void EncodeVdmResponse(uint16_t address, uint8_t data, std::span<uint8_t, VDM_RESPONSE_SIZE> bytes);

// --- the indirect bus controller ---

inline constexpr uint16_t BUS_CONTROL_REGISTER = 0x8000;
inline constexpr uint16_t BUS_WRITE_DATA_REGISTER = 0x8004;
inline constexpr uint16_t BUS_READ_DATA_REGISTER = 0x8008;
inline constexpr uint32_t BUS_CONTROL_READ = 0x00800000;
inline constexpr uint32_t BUS_CONTROL_DONE = 0x80000000;
inline constexpr uint32_t BUS_CONTROL_KEPT = 0x7F000000;

// `address` is the target's 8-bit form; the controller takes it shifted right by one.
uint32_t BusReadControl(uint8_t address, uint16_t offset);
// Keeps bits 30-24 of the `reported` control word; bits 31 and 23 clear.
uint32_t BusWriteControl(uint8_t address, uint16_t offset, uint32_t reported);

// --- the programmable block, reached by VDM register accesses ---

inline constexpr uint16_t BLOCK_PREPARE_REGISTER_A = 0x701C;
inline constexpr uint8_t BLOCK_PREPARE_VALUE_A = 0x10;
inline constexpr uint16_t BLOCK_PREPARE_REGISTER_B = 0x2002;
inline constexpr uint8_t BLOCK_PREPARE_VALUE_B = 0x28;
inline constexpr uint16_t BLOCK_CONTROL_REGISTER = 0x5000;
inline constexpr uint8_t BLOCK_CONTROL_READ_START = 0x00;
inline constexpr uint8_t BLOCK_CONTROL_PROGRAM_START = 0x10;
inline constexpr uint8_t BLOCK_CONTROL_END = 0x20;
inline constexpr uint16_t BLOCK_PROGRAM_DATA_REGISTER = 0x5004;
inline constexpr uint16_t BLOCK_READ_DATA_REGISTER = 0x5005;
inline constexpr uint16_t BLOCK_INDEX_REGISTER = 0x5006;
inline constexpr uint16_t BLOCK_OPERATION_REGISTER = 0x5007;
inline constexpr uint8_t BLOCK_OPERATION_READ = 0x80;
inline constexpr uint8_t BLOCK_OPERATION_PROGRAM = 0xC0;

// Byte 1 bit 7 of the current content locks the block.
bool BlockIsLocked(std::span<const uint8_t, 32> current);
// Whether `next` clears a bit that is set in `current` within the protected bytes 3 to 17.
bool BlockClearsProtectedBit(std::span<const uint8_t, 32> current,
                             std::span<const uint8_t, 32> next);
// The values written to the program data register to turn `current` into `next`: one per pair
// of bits (0,4), (1,5), (2,6), (3,7) that differs, holding the pair's bits to set (possibly
// none). Empty when the bytes are equal.
std::vector<uint8_t> ProgramSteps(uint8_t current, uint8_t next);

// --- notifications on the interrupt IN endpoint ---

enum class NotificationKind { Connection, ValueCommand, Message };

struct NOTIFICATION {
    NotificationKind Kind;
    uint8_t Value;  // the connection mask, or the result (0 or 1)
};

// The notification carried by `transfer`, or nullopt for an unknown code or a transfer too short
// for its code (a connection notification of the eight-port programmer carries the mask in a
// second byte).
std::optional<NOTIFICATION> DecodeNotification(std::span<const uint8_t> transfer, bool eightPort);
