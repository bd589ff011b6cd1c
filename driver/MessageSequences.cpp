// Notification waits and the register messages to the far side of the link.
#include <array>

#include "driver/Protocol.h"
#include "driver/Sequences.h"
#include "driver/Transfers.h"
#include "driver/framework/Trace.h"

void PrepareNotificationWait(KEVENT* event, std::atomic<uint32_t>* result) {
    result->store(0);
    KeClearEvent(event);
}

NTSTATUS WaitForNotification(DEVICE_CONTEXT* context, KEVENT* event,
                             const std::atomic<uint32_t>* result, std::chrono::milliseconds limit) {
    // The notification first: one that came in time counts even while the device goes away.
    KEVENT* const events[] = {event, &context->RemovalEvent};
    NTSTATUS status = KeWaitForMultipleObjects(events, WaitAny, limit);
    if (status == STATUS_TIMEOUT) {
        TraceEvents(TRACE_LEVEL_WARNING, "sequence", "no notification within {} ms", limit.count());
        return STATUS_UNSUCCESSFUL;
    }
    if (status != STATUS_WAIT_0) {
        TraceEvents(TRACE_LEVEL_INFORMATION, "sequence", "notification wait ended by removal");
        return STATUS_NO_SUCH_DEVICE;
    }
    return result->load() == 1 ? STATUS_SUCCESS : STATUS_UNSUCCESSFUL;
}

NTSTATUS SendVdm(DEVICE_CONTEXT* context, bool read, uint16_t address, uint8_t* data) {
    if (read) {
        *data = 0;
    }
    std::array<uint8_t, VDM_MESSAGE_SIZE> bytes;
    VdmToBytes(EncodeVdm(read, address, *data), bytes);
    bool eightPort = IsEightPortProgrammer(context);
    if (eightPort) {
        PrepareNotificationWait(&context->MessageEvent, &context->MessageResult);
    }
    NTSTATUS status = SendVendorCommand(context, false, 0, VENDOR_COMMAND_VDM, bytes.data(),
                                        static_cast<uint16_t>(bytes.size()));
    if (!NT_SUCCESS(status)) {
        return status;
    }
    if (eightPort) {
        return WaitForNotification(context, &context->MessageEvent, &context->MessageResult,
                                   context->Timing.MessageWait);
    }
    return STATUS_SUCCESS;
}

bool VdmReadRegister(DEVICE_CONTEXT* context, uint16_t address, uint8_t* data) {
    if (!NT_SUCCESS(SendVdm(context, true, address, data))) {
        return false;
    }
    std::array<uint8_t, VDM_RESPONSE_SIZE> response{};
    NTSTATUS status = SendVendorCommand(context, true, 0, VENDOR_COMMAND_VDM_RESPONSE,
                                        response.data(), static_cast<uint16_t>(response.size()));
    if (!NT_SUCCESS(status)) {
        return false;
    }
    std::optional<uint8_t> value = DecodeVdmResponse(response, address);
    if (!value) {
        TraceEvents(TRACE_LEVEL_WARNING, "sequence",
                    "message response does not echo register {:#06x}", address);
        return false;
    }
    *data = *value;
    return true;
}

bool VdmWriteRegister(DEVICE_CONTEXT* context, uint16_t address, uint8_t data) {
    return NT_SUCCESS(SendVdm(context, false, address, &data));
}
