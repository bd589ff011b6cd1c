// Driver entry and device add: the driver object, the device object with its context, the
// default queue and the main device interface.
#include "driver/Driver.h"

#include <algorithm>

#include "driver/DeviceIds.h"
#include "driver/OstrelPublic.h"
#include "driver/framework/Trace.h"
#include "driver/framework/WdfIoQueue.h"

namespace {

// Service parameters that override the default time limits.
OSTREL_TIMING ReadTiming(WDFDRIVER driver) {
    OSTREL_TIMING timing;
    auto override = [driver](const char* name, std::chrono::milliseconds& limit) {
        uint32_t value = 0;
        if (NT_SUCCESS(WdfRegistryQueryULong(driver, name, &value))) {
            limit = std::chrono::milliseconds(value);
        }
    };
    override("TransferTimeoutMs", timing.TransferTimeout);
    override("MessageWaitMs", timing.MessageWait);
    override("ValueCommandWaitMs", timing.ValueCommandWait);
    override("BusPollDelayMs", timing.BusPollDelay);
    return timing;
}

}  // namespace

bool IsEightPortProgrammer(const DEVICE_CONTEXT* context) {
    const USB_DEVICE_DESCRIPTOR& descriptor = context->DeviceDescriptor;
    return descriptor.idVendor == MAKER_VENDOR_ID &&
           descriptor.idProduct == PROGRAMMER_PRODUCT_ID &&
           descriptor.bcdDevice == EIGHT_PORT_RELEASE;
}

NTSTATUS DriverEntry(PDRIVER_OBJECT driverObject) {
    auto level = driverObject->Parameters.find("TraceLevel");
    WppInitTracing("ostrel", level == driverObject->Parameters.end()
                                 ? TRACE_LEVEL_INFORMATION
                                 : static_cast<TRACE_LEVEL>(std::clamp<uint32_t>(
                                       level->second, TRACE_LEVEL_ERROR, TRACE_LEVEL_VERBOSE)));
    WDF_DRIVER_CONFIG config;
    WDF_DRIVER_CONFIG_INIT(&config, EvtDeviceAdd);
    WDF_OBJECT_ATTRIBUTES attributes;
    attributes.EvtCleanupCallback = EvtDriverContextCleanup;
    NTSTATUS status = WdfDriverCreate(driverObject, &config, &attributes, nullptr);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "driver", "WdfDriverCreate failed: {:#010x}",
                    static_cast<uint32_t>(status));
        WppCleanup();
        return status;
    }
    return STATUS_SUCCESS;
}

void EvtDriverContextCleanup(WDFOBJECT) {
    WppCleanup();
}

NTSTATUS EvtDeviceAdd(WDFDRIVER driver, PWDFDEVICE_INIT deviceInit) {
    WDF_PNPPOWER_EVENT_CALLBACKS pnpPowerCallbacks;
    pnpPowerCallbacks.EvtDeviceD0Entry = EvtDeviceD0Entry;
    pnpPowerCallbacks.EvtDeviceD0Exit = EvtDeviceD0Exit;
    pnpPowerCallbacks.EvtDevicePrepareHardware = EvtDevicePrepareHardware;
    pnpPowerCallbacks.EvtDeviceReleaseHardware = EvtDeviceReleaseHardware;
    pnpPowerCallbacks.EvtDeviceSurpriseRemoval = EvtDeviceSurpriseRemoval;
    WdfDeviceInitSetPnpPowerEventCallbacks(deviceInit, &pnpPowerCallbacks);
    WdfDeviceInitSetIoType(deviceInit, WdfDeviceIoDirect);

    WDF_OBJECT_ATTRIBUTES attributes;
    WDF_OBJECT_ATTRIBUTES_SET_CONTEXT_TYPE<DEVICE_CONTEXT>(&attributes);
    attributes.EvtCleanupCallback = EvtDeviceCleanup;
    WDFDEVICE device = nullptr;
    NTSTATUS status = WdfDeviceCreate(&deviceInit, &attributes, &device);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "driver", "WdfDeviceCreate failed: {:#010x}",
                    static_cast<uint32_t>(status));
        return status;
    }
    DEVICE_CONTEXT* context = DeviceGetContext(device);
    context->Device = device;
    context->DriverObject = WdfDriverWdmGetDriverObject(driver);
    context->Timing = ReadTiming(driver);

    WDF_DEVICE_PNP_CAPABILITIES capabilities;
    capabilities.SurpriseRemovalOK = true;
    WdfDeviceSetPnpCapabilities(device, &capabilities);

    WDF_IO_QUEUE_CONFIG queueConfig;
    WDF_IO_QUEUE_CONFIG_INIT_DEFAULT_QUEUE(&queueConfig, WdfIoQueueDispatchParallel);
    queueConfig.EvtIoDeviceControl = EvtIoDeviceControl;
    queueConfig.EvtIoStop = EvtIoStop;
    status = WdfIoQueueCreate(device, &queueConfig, nullptr, &context->DefaultQueue);
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "driver", "WdfIoQueueCreate failed: {:#010x}",
                    static_cast<uint32_t>(status));
        return status;
    }
    KeInitializeEvent(&context->ValueCommandEvent, NotificationEvent, false);
    KeInitializeEvent(&context->MessageEvent, NotificationEvent, false);
    KeInitializeEvent(&context->RemovalEvent, NotificationEvent, false);
    return WdfDeviceCreateDeviceInterface(device, &DEVICE_INTERFACE_GUID, nullptr);
}

// Tracing belongs to the driver object, not to one device: another device may still trace.
void EvtDeviceCleanup(WDFOBJECT device) {
    TraceEvents(TRACE_LEVEL_INFORMATION, "driver", "device {} cleaned up",
                static_cast<WDFDEVICE>(device)->PhysicalDevice()->InstanceName);
}
