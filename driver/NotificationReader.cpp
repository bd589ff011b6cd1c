// The notification reader on the interrupt IN endpoint, and the connection work item that
// applies the connection mask to the connection interface.
#include "driver/Driver.h"
#include "driver/Protocol.h"
#include "driver/framework/Trace.h"

namespace {

constexpr uint8_t kPendingReads = 2;

NTSTATUS CreateConnectionWorkItem(DEVICE_CONTEXT* context) {
    WDF_WORKITEM_CONFIG config;
    WDF_WORKITEM_CONFIG_INIT(&config, EvtConnectionWorkItem);
    config.AutomaticSerialization = false;
    WDF_OBJECT_ATTRIBUTES attributes;
    WDF_OBJECT_ATTRIBUTES_SET_CONTEXT_TYPE<PD_WORKITEM_CONTEXT>(&attributes);
    attributes.ParentObject = context->Device;
    NTSTATUS status = WdfWorkItemCreate(&config, &attributes, &context->ConnectionWorkItem);
    if (NT_SUCCESS(status)) {
        WdfObjectGetTypedContext<PD_WORKITEM_CONTEXT>(context->ConnectionWorkItem)->DeviceContext =
            context;
    }
    return status;
}

}  // namespace

NTSTATUS StartNotificationReader(DEVICE_CONTEXT* context) {
    WDFUSBPIPE pipe = nullptr;
    uint8_t pipes = WdfUsbInterfaceGetNumConfiguredPipes(context->NotificationInterface);
    for (uint8_t index = 0; index < pipes && !pipe; ++index) {
        WDF_USB_PIPE_INFORMATION information;
        WDFUSBPIPE candidate =
            WdfUsbInterfaceGetConfiguredPipe(context->NotificationInterface, index, &information);
        if (information.PipeType == WdfUsbPipeTypeInterrupt &&
            WdfUsbTargetPipeIsInEndpoint(candidate)) {
            pipe = candidate;
        }
    }
    if (!pipe) {
        TraceEvents(TRACE_LEVEL_ERROR, "reader",
                    "the notification interface has no interrupt IN pipe");
        return STATUS_UNSUCCESSFUL;
    }
    NTSTATUS status = CreateConnectionWorkItem(context);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "reader", "WdfWorkItemCreate failed: {:#010x}",
                    static_cast<uint32_t>(status));
        return status;
    }
    WdfUsbTargetPipeSetNoMaximumPacketSizeCheck(pipe);
    WDF_USB_CONTINUOUS_READER_CONFIG config;
    WDF_USB_CONTINUOUS_READER_CONFIG_INIT(&config, EvtNotificationReadComplete, context,
                                          IsEightPortProgrammer(context) ? 2 : 1);
    config.NumPendingReads = kPendingReads;
    status = WdfUsbTargetPipeConfigContinuousReader(pipe, &config);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "reader",
                    "WdfUsbTargetPipeConfigContinuousReader failed: {:#010x}",
                    static_cast<uint32_t>(status));
        return status;
    }
    context->NotificationPipe = pipe;
    status = WdfIoTargetStart(WdfUsbTargetPipeGetIoTarget(pipe));
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "reader", "WdfIoTargetStart failed: {:#010x}",
                    static_cast<uint32_t>(status));
    }
    return status;
}

// Stores results, signals events and queues the connection work; it never waits. Only the
// bytes this read carried count: a short read is ignored rather than acted on with stale data.
void EvtNotificationReadComplete(WDFUSBPIPE, WDFMEMORY buffer, size_t numBytesTransferred,
                                 WDFCONTEXT deviceContext) {
    auto* context = static_cast<DEVICE_CONTEXT*>(deviceContext);
    if (!context || !buffer) {
        return;
    }
    size_t size = 0;
    auto* bytes = static_cast<const uint8_t*>(WdfMemoryGetBuffer(buffer, &size));
    std::span<const uint8_t> transfer(bytes, std::min(size, numBytesTransferred));
    std::optional<NOTIFICATION> notification =
        DecodeNotification(transfer, IsEightPortProgrammer(context));
    if (!notification) {
        TraceEvents(TRACE_LEVEL_VERBOSE, "reader", "ignored a notification of {} bytes",
                    transfer.size());
        return;
    }
    switch (notification->Kind) {
        case NotificationKind::Connection:
            context->ConnectionMask = notification->Value;
            WdfWorkItemEnqueue(context->ConnectionWorkItem);
            break;
        case NotificationKind::ValueCommand:
            context->ValueCommandResult = notification->Value;
            KeSetEvent(&context->ValueCommandEvent);
            break;
        case NotificationKind::Message:
            context->MessageResult = notification->Value;
            KeSetEvent(&context->MessageEvent);
            break;
    }
}

void EvtConnectionWorkItem(WDFWORKITEM workItem) {
    DEVICE_CONTEXT* context =
        WdfObjectGetTypedContext<PD_WORKITEM_CONTEXT>(workItem)->DeviceContext;
    if (context->ConnectionInterfaceLink.empty()) {
        return;
    }
    bool connected = context->ConnectionMask != 0;
    NTSTATUS status = IoSetDeviceInterfaceState(&context->ConnectionInterfaceLink, connected);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "reader", "IoSetDeviceInterfaceState failed: {:#010x}",
                    static_cast<uint32_t>(status));
    }
}
