// The 32-byte programmable block. Bits once programmed stay set, so a write only ever sets bits:
// it reads the current content first, refuses a locked block or one whose protected bytes would
// lose a bit, and programs each changed byte at most two bits at a time.
#include <array>

#include "driver/Protocol.h"
#include "driver/Sequences.h"
#include "driver/Transfers.h"
#include "driver/framework/Trace.h"

bool ReadBlock(DEVICE_CONTEXT* context, std::span<uint8_t, 32> block) {
    if (!VdmWriteRegister(context, BLOCK_PREPARE_REGISTER_A, BLOCK_PREPARE_VALUE_A) ||
        !VdmWriteRegister(context, BLOCK_PREPARE_REGISTER_B, BLOCK_PREPARE_VALUE_B) ||
        !VdmWriteRegister(context, BLOCK_CONTROL_REGISTER, BLOCK_CONTROL_READ_START)) {
        return false;
    }
    for (uint8_t index = 0; index < block.size(); ++index) {
        if (!VdmWriteRegister(context, BLOCK_INDEX_REGISTER, index) ||
            !VdmWriteRegister(context, BLOCK_OPERATION_REGISTER, BLOCK_OPERATION_READ) ||
            !VdmReadRegister(context, BLOCK_READ_DATA_REGISTER, &block[index])) {
            return false;
        }
    }
    bool ended = VdmWriteRegister(context, BLOCK_CONTROL_REGISTER, BLOCK_CONTROL_END);
    context->ProgrammingMode = 0;
    return ended;
}

bool ProgramByte(DEVICE_CONTEXT* context, uint8_t index, uint8_t current, uint8_t next) {
    for (uint8_t bits : ProgramSteps(current, next)) {
        if (!VdmWriteRegister(context, BLOCK_PROGRAM_DATA_REGISTER, bits) ||
            !VdmWriteRegister(context, BLOCK_INDEX_REGISTER, index) ||
            !VdmWriteRegister(context, BLOCK_OPERATION_REGISTER, BLOCK_OPERATION_PROGRAM)) {
            return false;
        }
    }
    return true;
}

bool WriteBlock(DEVICE_CONTEXT* context, std::span<const uint8_t, 32> block) {
    std::array<uint8_t, 32> current{};
    if (!ReadBlock(context, current)) {
        return false;
    }
    if (BlockIsLocked(current)) {
        TraceEvents(TRACE_LEVEL_WARNING, "block", "the block is locked");
        return false;
    }
    if (BlockClearsProtectedBit(current, block)) {
        TraceEvents(TRACE_LEVEL_WARNING, "block", "the new content clears a programmed bit");
        return false;
    }
    if (!context->ProgrammingMode) {
        if (!NT_SUCCESS(SendVendorCommand(context, false, 0, VENDOR_COMMAND_ENTER_PROGRAMMING,
                                          nullptr, 0))) {
            return false;
        }
        context->ProgrammingMode = 1;
    }
    if (!VdmWriteRegister(context, BLOCK_CONTROL_REGISTER, BLOCK_CONTROL_PROGRAM_START)) {
        return false;
    }
    for (uint8_t index = 0; index < block.size(); ++index) {
        if (block[index] != 0 && !ProgramByte(context, index, current[index], block[index])) {
            return false;
        }
    }
    bool ended = VdmWriteRegister(context, BLOCK_CONTROL_REGISTER, BLOCK_CONTROL_END);
    context->ProgrammingMode = 0;
    return ended;
}

bool ReadBlockEightPort(DEVICE_CONTEXT* context, std::span<uint8_t> buffer) {
    std::fill(buffer.begin(), buffer.end(), 0);
    auto length = static_cast<uint16_t>(buffer.size());
    PrepareNotificationWait(&context->MessageEvent, &context->MessageResult);
    if (!NT_SUCCESS(SendVendorCommand(context, true, 0, VENDOR_COMMAND_BLOCK_READ_REQUEST,
                                      buffer.data(), length)) ||
        !NT_SUCCESS(WaitForNotification(context, &context->MessageEvent, &context->MessageResult,
                                        context->Timing.MessageWait))) {
        return false;
    }
    return NT_SUCCESS(SendVendorCommand(context, true, 0, VENDOR_COMMAND_BLOCK_READ_RESULT,
                                        buffer.data(), length));
}

bool WriteBlockEightPort(DEVICE_CONTEXT* context, std::span<uint8_t> buffer) {
    PrepareNotificationWait(&context->MessageEvent, &context->MessageResult);
    if (!NT_SUCCESS(SendVendorCommand(context, false, 0, VENDOR_COMMAND_BLOCK_WRITE, buffer.data(),
                                      static_cast<uint16_t>(buffer.size())))) {
        return false;
    }
    return NT_SUCCESS(WaitForNotification(context, &context->MessageEvent, &context->MessageResult,
                                          context->Timing.MessageWait));
}
