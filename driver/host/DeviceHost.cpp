// Driver loading and device binding over the framework's PnP manager.
#include "driver/host/DeviceHost.h"

#include "driver/Driver.h"
#include "driver/framework/PnpManager.h"
#include "driver/framework/Trace.h"

namespace ostrel::host {

DeviceHost::DeviceHost(DeviceInterfaceHost& interfaces, std::map<std::string, uint32_t> parameters)
    : mInterfaces(interfaces) {
    mDriverObject.DriverName = L"ostrel";
    mDriverObject.Parameters = std::move(parameters);
    DriverEntry(&mDriverObject);
}

DeviceHost::~DeviceHost() {
    for (const std::string& instance : Instances()) {
        Unbind(instance, false);
    }
    if (DriverLoaded()) {
        pnp::UnloadDriver(&mDriverObject);
    }
}

NTSTATUS DeviceHost::Bind(const std::string& instanceName, std::shared_ptr<UsbDeviceBackend> usb) {
    if (!DriverLoaded()) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    auto physicalDevice = std::make_unique<DEVICE_OBJECT>();
    physicalDevice->InstanceName = instanceName;
    physicalDevice->Usb = std::move(usb);
    physicalDevice->Interfaces = &mInterfaces;
    DEVICE_OBJECT* raw = physicalDevice.get();
    {
        std::lock_guard lock(mMutex);
        if (!mDevices.emplace(instanceName, std::move(physicalDevice)).second) {
            return STATUS_INVALID_PARAMETER;
        }
    }
    NTSTATUS status = pnp::AddDevice(mDriverObject.FrameworkDriver, raw);
    if (NT_SUCCESS(status)) {
        status = pnp::StartDevice(raw->AttachedDevice);
    }
    if (!NT_SUCCESS(status)) {
        TraceEvents(TRACE_LEVEL_ERROR, "host", "binding {} failed: {:#010x}", instanceName,
                    static_cast<uint32_t>(status));
        Unbind(instanceName, false);
        return status;
    }
    TraceEvents(TRACE_LEVEL_INFORMATION, "host", "bound {}", instanceName);
    return STATUS_SUCCESS;
}

void DeviceHost::Unbind(const std::string& instanceName, bool surprise) {
    std::unique_ptr<DEVICE_OBJECT> physicalDevice;
    {
        std::lock_guard lock(mMutex);
        auto found = mDevices.find(instanceName);
        if (found == mDevices.end()) {
            return;
        }
        physicalDevice = std::move(found->second);
        mDevices.erase(found);
    }
    if (physicalDevice->AttachedDevice) {
        pnp::RemoveDevice(physicalDevice->AttachedDevice, surprise);
    }
    TraceEvents(TRACE_LEVEL_INFORMATION, "host", "unbound {}", instanceName);
}

WDFDEVICE DeviceHost::Device(const std::string& instanceName) const {
    std::lock_guard lock(mMutex);
    auto found = mDevices.find(instanceName);
    return found == mDevices.end() ? nullptr : found->second->AttachedDevice;
}

std::vector<std::string> DeviceHost::Instances() const {
    std::lock_guard lock(mMutex);
    std::vector<std::string> instances;
    for (const auto& [name, device] : mDevices) {
        instances.push_back(name);
    }
    return instances;
}

}  // namespace ostrel::host
