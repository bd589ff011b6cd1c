// Hardware preparation and release: the USB target, its descriptors and configuration, the
// notification endpoint with its connection interface and reader, and the power callbacks.
#include "driver/Driver.h"
#include "driver/OstrelPublic.h"
#include "driver/framework/Trace.h"

namespace {

constexpr uint32_t kPoolTag = 0x6C72744F;  // "Otrl" in memory dumps
constexpr uint8_t kNotificationInterfaceClass = 3;

void TraceFailure(const char* call, NTSTATUS status) {
    TraceEvents(TRACE_LEVEL_ERROR, "device", "{} failed: {:#010x}", call,
                static_cast<uint32_t>(status));
}

NTSTATUS ReadConfigurationDescriptor(DEVICE_CONTEXT* context) {
    uint16_t size = 0;
    NTSTATUS status =
        WdfUsbTargetDeviceRetrieveConfigDescriptor(context->UsbDevice, nullptr, &size);
    if (status != STATUS_BUFFER_TOO_SMALL) {
        TraceFailure("WdfUsbTargetDeviceRetrieveConfigDescriptor (size)", status);
        return NT_SUCCESS(status) ? STATUS_UNSUCCESSFUL : status;
    }
    WDF_OBJECT_ATTRIBUTES attributes;
    attributes.ParentObject = context->UsbDevice;
    WDFMEMORY memory = nullptr;
    void* buffer = nullptr;
    status = WdfMemoryCreate(&attributes, NonPagedPool, kPoolTag, size, &memory, &buffer);
    if (!NT_SUCCESS(status)) {
        TraceFailure("WdfMemoryCreate", status);
        return status;
    }
    status = WdfUsbTargetDeviceRetrieveConfigDescriptor(context->UsbDevice, buffer, &size);
    if (!NT_SUCCESS(status)) {
        TraceFailure("WdfUsbTargetDeviceRetrieveConfigDescriptor", status);
        WdfObjectDelete(memory);
        return status;
    }
    context->ConfigurationMemory = memory;
    context->ConfigurationDescriptor = static_cast<const USB_CONFIGURATION_DESCRIPTOR*>(buffer);
    return STATUS_SUCCESS;
}

// The first class-3 interface with an interrupt IN endpoint. Not finding one is no failure; not
// getting the framework's interface object for it is.
NTSTATUS FindNotificationEndpoint(DEVICE_CONTEXT* context) {
    const auto* configuration = context->ConfigurationDescriptor;
    size_t total = context->ConfigurationMemory->Size();
    const uint8_t* end = reinterpret_cast<const uint8_t*>(configuration) + total;
    const void* at = configuration;
    while (auto* found =
               USBD_ParseDescriptors(configuration, total, at, USB_INTERFACE_DESCRIPTOR_TYPE)) {
        auto* interfaceDescriptor = reinterpret_cast<const USB_INTERFACE_DESCRIPTOR*>(found);
        size_t interfaceLength = USBD_GetInterfaceLength(interfaceDescriptor, end);
        at = reinterpret_cast<const uint8_t*>(interfaceDescriptor) + interfaceLength;
        if (interfaceDescriptor->bLength < sizeof(USB_INTERFACE_DESCRIPTOR) ||
            interfaceDescriptor->bInterfaceClass != kNotificationInterfaceClass) {
            continue;
        }
        const void* endpointAt = interfaceDescriptor;
        while (auto* endpointFound =
                   USBD_ParseDescriptors(interfaceDescriptor, interfaceLength, endpointAt,
                                         USB_ENDPOINT_DESCRIPTOR_TYPE)) {
            auto* endpoint = reinterpret_cast<const USB_ENDPOINT_DESCRIPTOR*>(endpointFound);
            endpointAt = reinterpret_cast<const uint8_t*>(endpoint) + endpoint->bLength;
            if (endpoint->bLength < sizeof(USB_ENDPOINT_DESCRIPTOR) ||
                (endpoint->bmAttributes & USB_ENDPOINT_TYPE_MASK) != USB_ENDPOINT_TYPE_INTERRUPT ||
                !(endpoint->bEndpointAddress & USB_ENDPOINT_DIRECTION_MASK)) {
                continue;
            }
            context->NotificationInterface = WdfUsbTargetDeviceGetInterface(
                context->UsbDevice, interfaceDescriptor->bInterfaceNumber);
            if (!context->NotificationInterface) {
                TraceFailure("WdfUsbTargetDeviceGetInterface", STATUS_UNSUCCESSFUL);
                return STATUS_UNSUCCESSFUL;
            }
            context->NotificationInterfaceDescriptor = interfaceDescriptor;
            context->NotificationEndpointDescriptor = endpoint;
            return STATUS_SUCCESS;
        }
    }
    TraceEvents(TRACE_LEVEL_INFORMATION, "device",
                "no notification endpoint; working without notifications");
    return STATUS_SUCCESS;
}

NTSTATUS ConfigureUsbDevice(DEVICE_CONTEXT* context) {
    NTSTATUS status;
    if (!context->UsbDevice) {
        status = WdfUsbTargetDeviceCreate(context->Device, nullptr, &context->UsbDevice);
        if (!NT_SUCCESS(status)) {
            TraceFailure("WdfUsbTargetDeviceCreate", status);
            return status;
        }
    }
    WdfUsbTargetDeviceGetDeviceDescriptor(context->UsbDevice, &context->DeviceDescriptor);
    status = ReadConfigurationDescriptor(context);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    WDF_USB_DEVICE_SELECT_CONFIG_PARAMS params;
    WDF_USB_DEVICE_SELECT_CONFIG_PARAMS_INIT_MULTIPLE_INTERFACES(&params);
    status = WdfUsbTargetDeviceSelectConfig(context->UsbDevice, nullptr, &params);
    if (!NT_SUCCESS(status)) {
        TraceFailure("WdfUsbTargetDeviceSelectConfig", status);
        // Delete the target (and the descriptor memory it owns) rather than leak it.
        WdfObjectDelete(context->UsbDevice);
        context->UsbDevice = nullptr;
        context->ConfigurationMemory = nullptr;
        context->ConfigurationDescriptor = nullptr;
        return status;
    }
    return FindNotificationEndpoint(context);
}

// Forgets what points into the configuration descriptor and frees it; the next preparation
// reads it again.
void ForgetConfiguration(DEVICE_CONTEXT* context) {
    context->NotificationPipe = nullptr;
    context->NotificationInterface = nullptr;
    context->NotificationEndpointDescriptor = nullptr;
    context->NotificationInterfaceDescriptor = nullptr;
    context->ConfigurationDescriptor = nullptr;
    if (context->ConfigurationMemory) {
        WdfObjectDelete(context->ConfigurationMemory);
        context->ConfigurationMemory = nullptr;
    }
}

}  // namespace

NTSTATUS EvtDevicePrepareHardware(WDFDEVICE device, WDFCMRESLIST, WDFCMRESLIST) {
    DEVICE_CONTEXT* context = DeviceGetContext(device);
    NTSTATUS status = ConfigureUsbDevice(context);
    if (!NT_SUCCESS(status)) {
        WdfDeviceSetFailed(device, WdfDeviceFailedAttemptRestart);
        return STATUS_SUCCESS;
    }
    if (!context->NotificationEndpointDescriptor) {
        return STATUS_SUCCESS;
    }
    context->PhysicalDeviceObject = WdfDeviceWdmGetPhysicalDevice(device);
    status = IoRegisterDeviceInterface(context->PhysicalDeviceObject, &CONNECTION_INTERFACE_GUID,
                                       nullptr, &context->ConnectionInterfaceLink);
    if (!NT_SUCCESS(status)) {
        TraceFailure("IoRegisterDeviceInterface", status);
        WdfDeviceSetFailed(device, WdfDeviceFailedAttemptRestart);
        return STATUS_SUCCESS;
    }
    status = StartNotificationReader(context);
    if (!NT_SUCCESS(status)) {
        WdfDeviceSetFailed(device, WdfDeviceFailedAttemptRestart);
    }
    return STATUS_SUCCESS;
}

// Stops the reader first (no read left pending, so no new connection work), then waits for the
// connection work already queued, and only then withdraws the connection interface and frees
// its link: nothing that runs later can touch what is freed here.
NTSTATUS EvtDeviceReleaseHardware(WDFDEVICE device, WDFCMRESLIST) {
    DEVICE_CONTEXT* context = DeviceGetContext(device);
    if (context->NotificationPipe) {
        WdfIoTargetStop(WdfUsbTargetPipeGetIoTarget(context->NotificationPipe),
                        WdfIoTargetCancelSentIo);
    }
    if (context->ConnectionWorkItem) {
        WdfObjectDelete(context->ConnectionWorkItem);
        context->ConnectionWorkItem = nullptr;
    }
    if (!context->ConnectionInterfaceLink.empty()) {
        IoSetDeviceInterfaceState(&context->ConnectionInterfaceLink, false);
        RtlFreeUnicodeString(&context->ConnectionInterfaceLink);
    }
    ForgetConfiguration(context);
    return STATUS_SUCCESS;
}

NTSTATUS EvtDeviceD0Entry(WDFDEVICE device, WDF_POWER_DEVICE_STATE previousState) {
    TraceEvents(TRACE_LEVEL_VERBOSE, "power", "{} enters D0 from D{}",
                device->PhysicalDevice()->InstanceName, static_cast<int>(previousState) - 1);
    return STATUS_SUCCESS;
}

NTSTATUS EvtDeviceD0Exit(WDFDEVICE device, WDF_POWER_DEVICE_STATE targetState) {
    TraceEvents(TRACE_LEVEL_VERBOSE, "power", "{} leaves D0 for D{}",
                device->PhysicalDevice()->InstanceName, static_cast<int>(targetState) - 1);
    return STATUS_SUCCESS;
}

void EvtDeviceSurpriseRemoval(WDFDEVICE device) {
    TraceEvents(TRACE_LEVEL_INFORMATION, "device", "{} was unplugged",
                device->PhysicalDevice()->InstanceName);
}
