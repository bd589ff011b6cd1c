// Device add, start with restart attempts, and removal.
#include "driver/framework/PnpManager.h"

#include "driver/framework/Trace.h"
#include "driver/framework/WdfIoQueue.h"

namespace pnp {
namespace {

void SetInterfaces(WDFDEVICE device, bool enable) {
    DeviceInterfaceHost* host = device->PhysicalDevice()->Interfaces;
    if (!host) {
        return;
    }
    for (const auto& deviceInterface : device->Interfaces()) {
        if (enable) {
            NTSTATUS status = host->Enable(deviceInterface.SymbolicLink, device);
            if (!NT_SUCCESS(status)) {
                TraceEvents(TRACE_LEVEL_ERROR, "pnp", "enabling an interface failed: {:#010x}",
                            static_cast<uint32_t>(status));
            }
        } else {
            host->Disable(deviceInterface.SymbolicLink);
        }
    }
}

void ReleaseHardware(WDFDEVICE device) {
    if (device->PnpPower().EvtDeviceReleaseHardware) {
        device->PnpPower().EvtDeviceReleaseHardware(device, nullptr);
    }
}

}  // namespace

NTSTATUS AddDevice(WDFDRIVER driver, PDEVICE_OBJECT physicalDevice) {
    WDFDEVICE_INIT init;
    init.Driver = driver;
    init.PhysicalDevice = physicalDevice;
    return driver->Config().EvtDriverDeviceAdd(driver, &init);
}

NTSTATUS StartDevice(WDFDEVICE device) {
    const auto& callbacks = device->PnpPower();
    NTSTATUS status = STATUS_UNSUCCESSFUL;
    for (int attempt = 1; attempt <= kStartAttempts; ++attempt) {
        device->TakeFailed();
        status = callbacks.EvtDevicePrepareHardware
                     ? callbacks.EvtDevicePrepareHardware(device, nullptr, nullptr)
                     : STATUS_SUCCESS;
        int failed = device->TakeFailed();
        if (NT_SUCCESS(status) && failed == 0) {
            if (callbacks.EvtDeviceD0Entry) {
                status = callbacks.EvtDeviceD0Entry(device, WdfPowerDeviceD3);
            }
            if (!NT_SUCCESS(status)) {
                ReleaseHardware(device);
                return status;
            }
            SetInterfaces(device, true);
            if (device->DefaultQueue()) {
                device->DefaultQueue()->Start();
            }
            device->SetStarted(true);
            return STATUS_SUCCESS;
        }
        ReleaseHardware(device);
        if (NT_SUCCESS(status)) {
            status = STATUS_UNSUCCESSFUL;
        }
        TraceEvents(TRACE_LEVEL_WARNING, "pnp", "start attempt {} of {} failed: {:#010x}", attempt,
                    kStartAttempts, static_cast<uint32_t>(status));
        if (failed != WdfDeviceFailedAttemptRestart) {
            break;
        }
    }
    return status;
}

void RemoveDevice(WDFDEVICE device, bool surprise) {
    const auto& callbacks = device->PnpPower();
    if (surprise && callbacks.EvtDeviceSurpriseRemoval) {
        callbacks.EvtDeviceSurpriseRemoval(device);
    }
    if (device->IsStarted()) {
        device->SetStarted(false);
        if (device->DefaultQueue()) {
            device->DefaultQueue()->StopAndDrain();
        }
        SetInterfaces(device, false);
        if (callbacks.EvtDeviceD0Exit) {
            callbacks.EvtDeviceD0Exit(device, WdfPowerDeviceD3);
        }
        ReleaseHardware(device);
    }
    device->PhysicalDevice()->AttachedDevice = nullptr;
    WdfObjectDelete(device);
}

void UnloadDriver(PDRIVER_OBJECT driverObject) {
    WdfObjectDelete(driverObject->FrameworkDriver);
    driverObject->FrameworkDriver = nullptr;
}

}  // namespace pnp
