// The device-control dispatch: one handler per request code, each checking that the caller's
// buffer holds its code's layout before touching it, and one completion point. Handlers that use
// shared per-device state hold the device's RequestLock for their whole action. When the device
// is being removed the queue's stop callback ends their waits, and a request that did not succeed
// completes with STATUS_NO_SUCH_DEVICE.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "driver/Driver.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"
#include "driver/Sequences.h"
#include "driver/Transfers.h"
#include "driver/framework/Trace.h"

namespace {

// The one system buffer of a request as the handlers see it: null when the caller supplied
// none of that direction.
struct REQUEST_BUFFERS {
    uint8_t* Input = nullptr;
    size_t InputLength = 0;
    uint8_t* Output = nullptr;
    size_t OutputLength = 0;

    // What a successful request reports back: never more than the caller's output can hold.
    size_t Returned(size_t length) const { return std::min({length, InputLength, OutputLength}); }
};

struct OUTCOME {
    NTSTATUS Status;
    size_t Information;
};

constexpr OUTCOME kFailed{STATUS_UNSUCCESSFUL, 0};

OUTCOME Succeeded(const REQUEST_BUFFERS& buffers) {
    return {STATUS_SUCCESS, buffers.Returned(buffers.InputLength)};
}

OUTCOME FromStatus(NTSTATUS status, const REQUEST_BUFFERS& buffers) {
    return NT_SUCCESS(status) ? Succeeded(buffers) : OUTCOME{status, 0};
}

// The input when it holds at least `size` bytes.
uint8_t* Input(const REQUEST_BUFFERS& buffers, size_t size) {
    return buffers.Input && buffers.InputLength >= size ? buffers.Input : nullptr;
}

template <typename T>
T Load(const uint8_t* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

template <typename T>
void Store(uint8_t* bytes, T value) {
    std::memcpy(bytes, &value, sizeof value);
}

// address (32 bits, low 16 used), value (32 bits)
OUTCOME ReadRegister(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 8);
    if (!buffer) {
        return kFailed;
    }
    uint32_t value = 0;
    if (!NT_SUCCESS(
            AccessRegister(context, true, static_cast<uint16_t>(Load<uint32_t>(buffer)), &value))) {
        return kFailed;
    }
    Store(buffer + 4, value);
    return Succeeded(buffers);
}

OUTCOME WriteRegister(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 8);
    if (!buffer) {
        return kFailed;
    }
    uint32_t value = Load<uint32_t>(buffer + 4);
    if (!NT_SUCCESS(AccessRegister(context, false, static_cast<uint16_t>(Load<uint32_t>(buffer)),
                                   &value))) {
        return kFailed;
    }
    return Succeeded(buffers);
}

// target address (8), offset (16), data byte (8, filled)
OUTCOME BusReadByteRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 4);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    return FromStatus(BusReadByte(context, buffer[0], Load<uint16_t>(buffer + 1), &buffer[3]),
                      buffers);
}

// target address (8), offset (16), data (32)
OUTCOME BusWriteRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 7);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    return FromStatus(
        BusWrite(context, buffer[0], Load<uint16_t>(buffer + 1), Load<uint32_t>(buffer + 3)),
        buffers);
}

// setup packet (8), then its length of data; an IN request's data must fit the output too.
OUTCOME ControlTransfer(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, sizeof(USB_SETUP_PACKET));
    if (!buffer) {
        return kFailed;
    }
    auto setup = Load<USB_SETUP_PACKET>(buffer);
    size_t needed = sizeof(USB_SETUP_PACKET) + setup.wLength;
    bool in = (setup.bmRequestType & 0x80) != 0;
    if (buffers.InputLength < needed || (in && buffers.OutputLength < needed)) {
        return kFailed;
    }
    return FromStatus(SendControlPassThrough(context, buffer), buffers);
}

// The block: 32 bytes, or on the eight-port programmer the whole buffer (at most 65535 bytes).
std::span<uint8_t> BlockBuffer(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    if (!buffers.Input) {
        return {};
    }
    if (IsEightPortProgrammer(context)) {
        return buffers.InputLength <= UINT16_MAX
                   ? std::span<uint8_t>(buffers.Input, buffers.InputLength)
                   : std::span<uint8_t>();
    }
    return buffers.InputLength >= OSTREL_BLOCK_SIZE
               ? std::span<uint8_t>(buffers.Input, OSTREL_BLOCK_SIZE)
               : std::span<uint8_t>();
}

OUTCOME ReadBlockRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    std::span<uint8_t> block = BlockBuffer(context, buffers);
    if (block.empty()) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    bool read = IsEightPortProgrammer(context)
                    ? ReadBlockEightPort(context, block)
                    : ReadBlock(context, block.first<OSTREL_BLOCK_SIZE>());
    return read ? Succeeded(buffers) : kFailed;
}

OUTCOME WriteBlockRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    std::span<uint8_t> block = BlockBuffer(context, buffers);
    if (block.empty()) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    bool written = IsEightPortProgrammer(context)
                       ? WriteBlockEightPort(context, block)
                       : WriteBlock(context, block.first<OSTREL_BLOCK_SIZE>());
    return written ? Succeeded(buffers) : kFailed;
}

// register address (16), 2 reserved bytes, data byte (8)
OUTCOME VdmReadRegisterRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 5);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    return VdmReadRegister(context, Load<uint16_t>(buffer), &buffer[4]) ? Succeeded(buffers)
                                                                        : kFailed;
}

OUTCOME VdmWriteRegisterRequest(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 5);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    return VdmWriteRegister(context, Load<uint16_t>(buffer), buffer[4]) ? Succeeded(buffers)
                                                                        : kFailed;
}

// result (32, filled): whether the selected port's bit is set in the 8-bit connection mask. The
// port counts modulo 32, so ports 8 to 31 are never connected.
OUTCOME GetPortConnected(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 4);
    if (!buffer) {
        return kFailed;
    }
    auto bit = static_cast<uint8_t>(1u << (context->SelectedPort % 32));
    Store<uint32_t>(buffer, (bit & context->ConnectionMask) ? 1 : 0);
    return Succeeded(buffers);
}

// value (32), success byte (8, filled); fails (reporting the input length) when the device
// answers with notification 2 or not at all.
OUTCOME SendValueAndWait(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 5);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    PrepareNotificationWait(&context->ValueCommandEvent, &context->ValueCommandResult);
    bool success =
        NT_SUCCESS(SendVendorCommand(context, false, 0, VENDOR_COMMAND_SEND_VALUE, buffer, 4)) &&
        NT_SUCCESS(WaitForNotification(context, &context->ValueCommandEvent,
                                       &context->ValueCommandResult,
                                       context->Timing.ValueCommandWait));
    buffer[4] = success ? 1 : 0;
    return {success ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL, buffers.Returned(buffers.InputLength)};
}

// A vendor command that fills (IN) or sends (OUT) the first `length` bytes of the input.
OUTCOME SimpleCommand(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers, bool in,
                      uint16_t command, uint16_t length) {
    uint8_t* buffer = Input(buffers, length);
    if (!buffer) {
        return kFailed;
    }
    return NT_SUCCESS(SendVendorCommand(context, in, 0, command, buffer, length))
               ? Succeeded(buffers)
               : kFailed;
}

OUTCOME SendTrigger(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t zeros[4] = {};
    return NT_SUCCESS(
               SendVendorCommand(context, false, 0, VENDOR_COMMAND_TRIGGER, zeros, sizeof zeros))
               ? Succeeded(buffers)
               : kFailed;
}

// index (16), data byte (8, filled)
OUTCOME ReadIndexedByte(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 3);
    if (!buffer) {
        return kFailed;
    }
    return NT_SUCCESS(SendVendorCommand(context, true, Load<uint16_t>(buffer),
                                        VENDOR_COMMAND_READ_INDEXED_BYTE, buffer + 2, 1))
               ? Succeeded(buffers)
               : kFailed;
}

// index (16), data byte (8), taken from the input; an output buffer is required.
OUTCOME WriteIndexedByte(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 3);
    if (!buffer || !buffers.Output) {
        return kFailed;
    }
    if (!NT_SUCCESS(SendVendorCommand(context, false, Load<uint16_t>(buffer),
                                      VENDOR_COMMAND_WRITE_INDEXED_BYTE, buffer + 2, 1))) {
        return kFailed;
    }
    return {STATUS_SUCCESS, buffers.Returned(buffers.OutputLength)};
}

// port (8), taken from the input; an output buffer is required. The port is selected even when
// the device refuses it.
OUTCOME SelectPort(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 1);
    if (!buffer || !buffers.Output) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    context->SelectedPort = buffer[0];
    if (!NT_SUCCESS(SendVendorCommand(context, false, 0, VENDOR_COMMAND_SELECT_PORT, buffer, 1))) {
        return kFailed;
    }
    return {STATUS_SUCCESS, buffers.Returned(buffers.OutputLength)};
}

// port (8, filled); remembered only when the device answered.
OUTCOME GetSelectedPort(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 1);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    if (!NT_SUCCESS(
            SendVendorCommand(context, true, 0, VENDOR_COMMAND_GET_SELECTED_PORT, buffer, 1))) {
        return kFailed;
    }
    context->SelectedPort = buffer[0];
    return Succeeded(buffers);
}

// mask (8, filled); updates the mask the port test uses, not the connection interface.
OUTCOME GetConnectionMask(DEVICE_CONTEXT* context, const REQUEST_BUFFERS& buffers) {
    uint8_t* buffer = Input(buffers, 1);
    if (!buffer) {
        return kFailed;
    }
    std::lock_guard lock(context->RequestLock);
    if (!NT_SUCCESS(
            SendVendorCommand(context, true, 0, VENDOR_COMMAND_GET_CONNECTION_MASK, buffer, 1))) {
        return kFailed;
    }
    context->ConnectionMask = buffer[0];
    return Succeeded(buffers);
}

OUTCOME Dispatch(DEVICE_CONTEXT* context, uint32_t ioControlCode, const REQUEST_BUFFERS& buffers) {
    switch (ioControlCode) {
        case IOCTL_READ_REGISTER:
            return ReadRegister(context, buffers);
        case IOCTL_WRITE_REGISTER:
            return WriteRegister(context, buffers);
        case IOCTL_BUS_READ_BYTE:
            return BusReadByteRequest(context, buffers);
        case IOCTL_BUS_WRITE:
            return BusWriteRequest(context, buffers);
        case IOCTL_CONTROL_TRANSFER:
            return ControlTransfer(context, buffers);
        case IOCTL_READ_BLOCK:
            return ReadBlockRequest(context, buffers);
        case IOCTL_WRITE_BLOCK:
            return WriteBlockRequest(context, buffers);
        case IOCTL_VDM_READ_REGISTER:
            return VdmReadRegisterRequest(context, buffers);
        case IOCTL_VDM_WRITE_REGISTER:
            return VdmWriteRegisterRequest(context, buffers);
        case IOCTL_GET_PORT_CONNECTED:
            return GetPortConnected(context, buffers);
        case IOCTL_SEND_VALUE_AND_WAIT:
            return SendValueAndWait(context, buffers);
        case IOCTL_READ_DWORD:
            return SimpleCommand(context, buffers, true, VENDOR_COMMAND_READ_DWORD, 4);
        case IOCTL_READ_BYTE:
            return SimpleCommand(context, buffers, true, VENDOR_COMMAND_READ_BYTE, 1);
        case IOCTL_SEND_TRIGGER:
            return SendTrigger(context, buffers);
        case IOCTL_WRITE_WORD:
            return SimpleCommand(context, buffers, false, VENDOR_COMMAND_WRITE_WORD, 2);
        case IOCTL_READ_INDEXED_BYTE:
            return ReadIndexedByte(context, buffers);
        case IOCTL_WRITE_INDEXED_BYTE:
            return WriteIndexedByte(context, buffers);
        case IOCTL_SELECT_PORT:
            return SelectPort(context, buffers);
        case IOCTL_GET_SELECTED_PORT:
            return GetSelectedPort(context, buffers);
        case IOCTL_GET_CONNECTION_MASK:
            return GetConnectionMask(context, buffers);
        default:
            return {STATUS_INVALID_DEVICE_REQUEST, 0};
    }
}

}  // namespace

void EvtIoDeviceControl(WDFQUEUE queue, WDFREQUEST request, size_t, size_t,
                        uint32_t ioControlCode) {
    DEVICE_CONTEXT* context = DeviceGetContext(WdfIoQueueGetDevice(queue));
    REQUEST_BUFFERS buffers;
    void* buffer = nullptr;
    if (NT_SUCCESS(WdfRequestRetrieveInputBuffer(request, 0, &buffer, &buffers.InputLength))) {
        buffers.Input = static_cast<uint8_t*>(buffer);
    }
    if (NT_SUCCESS(WdfRequestRetrieveOutputBuffer(request, 0, &buffer, &buffers.OutputLength))) {
        buffers.Output = static_cast<uint8_t*>(buffer);
    }
    OUTCOME outcome = Dispatch(context, ioControlCode, buffers);
    if (!NT_SUCCESS(outcome.Status) && KeReadStateEvent(&context->RemovalEvent)) {
        outcome = {STATUS_NO_SUCH_DEVICE, 0};
    }
    if (!NT_SUCCESS(outcome.Status)) {
        TraceEvents(TRACE_LEVEL_VERBOSE, "ioctl", "request {:#010x} failed: {:#010x}",
                    ioControlCode, static_cast<uint32_t>(outcome.Status));
    }
    WdfRequestCompleteWithInformation(request, outcome.Status, outcome.Information);
}

// The device is being removed: end the waits of every request in the driver now rather than
// when their limits run out. The requests still complete in EvtIoDeviceControl.
void EvtIoStop(WDFQUEUE queue, WDFREQUEST, uint32_t actionFlags) {
    if (actionFlags & WdfRequestStopActionPurge) {
        KeSetEvent(&DeviceGetContext(WdfIoQueueGetDevice(queue))->RemovalEvent);
    }
}
