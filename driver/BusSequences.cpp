// Reads and writes through the device's indirect bus controller: write the control word, poll
// it until the device sets the done bit (a bounded number of polls, ended early by removal),
// then take the data.
#include "driver/Protocol.h"
#include "driver/Sequences.h"
#include "driver/Transfers.h"
#include "driver/framework/Trace.h"

namespace {

// STATUS_SUCCESS once the done bit is seen, STATUS_UNSUCCESSFUL when a read fails or the polls
// run out, STATUS_NO_SUCH_DEVICE as soon as the device is being removed.
NTSTATUS PollBusDone(DEVICE_CONTEXT* context) {
    for (uint32_t poll = 0; poll < context->Timing.BusPollCount; ++poll) {
        // The delay between polls is a wait that removal ends.
        if (KeWaitForSingleObject(&context->RemovalEvent, context->Timing.BusPollDelay) ==
            STATUS_SUCCESS) {
            return STATUS_NO_SUCH_DEVICE;
        }
        uint32_t control = 0;
        if (!NT_SUCCESS(AccessRegister(context, true, BUS_CONTROL_REGISTER, &control))) {
            return STATUS_UNSUCCESSFUL;
        }
        if (control & BUS_CONTROL_DONE) {
            return STATUS_SUCCESS;
        }
    }
    TraceEvents(TRACE_LEVEL_WARNING, "bus", "no completion after {} polls",
                context->Timing.BusPollCount);
    return STATUS_UNSUCCESSFUL;
}

}  // namespace

NTSTATUS BusReadByte(DEVICE_CONTEXT* context, uint8_t address, uint16_t offset, uint8_t* data) {
    *data = 0;
    uint32_t control = BusReadControl(address, offset);
    if (!NT_SUCCESS(AccessRegister(context, false, BUS_CONTROL_REGISTER, &control))) {
        return STATUS_UNSUCCESSFUL;
    }
    NTSTATUS done = PollBusDone(context);
    uint32_t value = 0;
    if (!NT_SUCCESS(AccessRegister(context, true, BUS_READ_DATA_REGISTER, &value))) {
        return STATUS_UNSUCCESSFUL;
    }
    *data = static_cast<uint8_t>(value);
    return done;
}

NTSTATUS BusWrite(DEVICE_CONTEXT* context, uint8_t address, uint16_t offset, uint32_t data) {
    if (!NT_SUCCESS(AccessRegister(context, false, BUS_WRITE_DATA_REGISTER, &data))) {
        return STATUS_UNSUCCESSFUL;
    }
    uint32_t reported = 0;
    if (!NT_SUCCESS(AccessRegister(context, true, BUS_CONTROL_REGISTER, &reported))) {
        return STATUS_UNSUCCESSFUL;
    }
    uint32_t control = BusWriteControl(address, offset, reported);
    if (!NT_SUCCESS(AccessRegister(context, false, BUS_CONTROL_REGISTER, &control))) {
        return STATUS_UNSUCCESSFUL;
    }
    return PollBusDone(context);
}
