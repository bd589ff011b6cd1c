// Register accesses, vendor commands and the pass-through over one control-transfer path.
#include "driver/Transfers.h"

#include <cstring>

#include "driver/Protocol.h"
#include "driver/framework/Trace.h"

namespace {

NTSTATUS SendControlTransfer(DEVICE_CONTEXT* context, WDF_USB_CONTROL_SETUP_PACKET* setup,
                             void* data, uint16_t length) {
    WDF_REQUEST_SEND_OPTIONS options;
    WDF_REQUEST_SEND_OPTIONS_INIT(&options, WDF_REQUEST_SEND_OPTION_IGNORE_TARGET_STATE);
    WDF_REQUEST_SEND_OPTIONS_SET_TIMEOUT(&options, context->Timing.TransferTimeout);
    WDF_MEMORY_DESCRIPTOR memory;
    WDF_MEMORY_DESCRIPTOR_INIT_BUFFER(&memory, data, length);
    NTSTATUS status = WdfUsbTargetDeviceSendControlTransferSynchronously(
        context->UsbDevice, nullptr, &options, setup, length ? &memory : nullptr, nullptr);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_WARNING, "transfer",
                    "control transfer type {:#04x} request {:#04x} value {:#06x} index {:#06x} "
                    "length {} failed: {:#010x}",
                    setup->bmRequestType, setup->bRequest, setup->wValue, setup->wIndex, length,
                    static_cast<uint32_t>(status));
    }
    return status;
}

}  // namespace

NTSTATUS AccessRegister(DEVICE_CONTEXT* context, bool read, uint16_t address, uint32_t* value) {
    if (read) {
        *value = 0;
    }
    if (!context->UsbDevice) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    uint8_t bytes[4];
    std::memcpy(bytes, value, sizeof bytes);
    WDF_USB_CONTROL_SETUP_PACKET setup;
    WDF_USB_CONTROL_SETUP_PACKET_INIT_VENDOR(
        &setup, read ? BmRequestDeviceToHost : BmRequestHostToDevice, BmRequestToDevice,
        read ? VENDOR_REQUEST_IN : VENDOR_REQUEST_OUT, 0, address);
    NTSTATUS status = SendControlTransfer(context, &setup, bytes, sizeof bytes);
    if (read && NT_SUCCESS(status)) {
        std::memcpy(value, bytes, sizeof bytes);
    }
    return status;
}

NTSTATUS SendVendorCommand(DEVICE_CONTEXT* context, bool in, uint16_t value, uint16_t command,
                           void* data, uint16_t length) {
    if (!context->UsbDevice) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    WDF_USB_CONTROL_SETUP_PACKET setup;
    WDF_USB_CONTROL_SETUP_PACKET_INIT_VENDOR(
        &setup, in ? BmRequestDeviceToHost : BmRequestHostToDevice, BmRequestToDevice,
        in ? VENDOR_REQUEST_IN : VENDOR_REQUEST_OUT, value, command);
    return SendControlTransfer(context, &setup, data, length);
}

NTSTATUS SendControlPassThrough(DEVICE_CONTEXT* context, uint8_t* packet) {
    if (!context->UsbDevice) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    WDF_USB_CONTROL_SETUP_PACKET setup;
    std::memcpy(&setup, packet, sizeof setup);
    return SendControlTransfer(context, &setup, packet + sizeof setup, setup.wLength);
}
