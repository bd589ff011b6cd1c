// Device creation, capabilities, "mark failed" and device interfaces. Interfaces registered on a
// physical device object are kept in a process-wide registry from link name to that object, so
// that a later state change reaches the right interface host and device.
#include "driver/framework/WdfDevice.h"

#include <map>

namespace {

std::mutex gRegisteredMutex;
std::map<std::wstring, PDEVICE_OBJECT> gRegisteredInterfaces;

// "<instance>/<guid>", with "-<reference>" when a reference string is given. Instance names
// are ASCII (port paths and "sim<n>").
std::wstring LinkFor(PDEVICE_OBJECT physicalDevice, const GUID& interfaceGuid,
                     const std::wstring* referenceString) {
    std::wstring link(physicalDevice->InstanceName.begin(), physicalDevice->InstanceName.end());
    link += L"/" + GuidToString(interfaceGuid);
    if (referenceString && !referenceString->empty()) {
        link += L"-" + *referenceString;
    }
    return link;
}

}  // namespace

void WdfDevice::AddInterface(const Interface& deviceInterface) {
    std::lock_guard lock(mInterfacesMutex);
    mInterfaces.push_back(deviceInterface);
}

std::vector<WdfDevice::Interface> WdfDevice::Interfaces() const {
    std::lock_guard lock(mInterfacesMutex);
    return mInterfaces;
}

void WdfDeviceInitSetPnpPowerEventCallbacks(PWDFDEVICE_INIT init,
                                            const WDF_PNPPOWER_EVENT_CALLBACKS* callbacks) {
    init->PnpPower = *callbacks;
}

void WdfDeviceInitSetIoType(PWDFDEVICE_INIT init, WDF_DEVICE_IO_TYPE ioType) {
    init->IoType = ioType;
}

NTSTATUS WdfDeviceCreate(PWDFDEVICE_INIT* init, const WDF_OBJECT_ATTRIBUTES* attributes,
                         WDFDEVICE* device) {
    if (!init || !*init || !(*init)->Driver || !(*init)->PhysicalDevice) {
        return STATUS_INVALID_PARAMETER;
    }
    PDEVICE_OBJECT physicalDevice = (*init)->PhysicalDevice;
    if (physicalDevice->AttachedDevice) {
        return STATUS_INVALID_DEVICE_STATE;
    }
    WDFDRIVER driver = (*init)->Driver;
    WDFDEVICE created = driver->Adopt(std::make_unique<WdfDevice>(**init), attributes);
    physicalDevice->AttachedDevice = created;
    *init = nullptr;  // the framework owns the initialisation data from here on
    *device = created;
    return STATUS_SUCCESS;
}

void WdfDeviceSetPnpCapabilities(WDFDEVICE device,
                                 const WDF_DEVICE_PNP_CAPABILITIES* capabilities) {
    device->SetCapabilities(*capabilities);
}

NTSTATUS WdfDeviceCreateDeviceInterface(WDFDEVICE device, const GUID* interfaceGuid,
                                        const std::wstring* referenceString) {
    device->AddInterface(
        {*interfaceGuid, LinkFor(device->PhysicalDevice(), *interfaceGuid, referenceString)});
    return STATUS_SUCCESS;
}

PDEVICE_OBJECT WdfDeviceWdmGetPhysicalDevice(WDFDEVICE device) {
    return device->PhysicalDevice();
}

void WdfDeviceSetFailed(WDFDEVICE device, WDF_DEVICE_FAILED_ACTION action) {
    device->SetFailed(action);
}

NTSTATUS IoRegisterDeviceInterface(PDEVICE_OBJECT physicalDevice, const GUID* interfaceGuid,
                                   const std::wstring* referenceString,
                                   std::wstring* symbolicLink) {
    if (!physicalDevice || !physicalDevice->Interfaces) {
        return STATUS_INVALID_DEVICE_REQUEST;
    }
    std::wstring link = LinkFor(physicalDevice, *interfaceGuid, referenceString);
    std::lock_guard lock(gRegisteredMutex);
    gRegisteredInterfaces[link] = physicalDevice;
    *symbolicLink = link;
    return STATUS_SUCCESS;
}

NTSTATUS IoSetDeviceInterfaceState(const std::wstring* symbolicLink, bool enable) {
    PDEVICE_OBJECT physicalDevice = nullptr;
    {
        std::lock_guard lock(gRegisteredMutex);
        auto found = gRegisteredInterfaces.find(*symbolicLink);
        if (found == gRegisteredInterfaces.end()) {
            return STATUS_NOT_FOUND;
        }
        physicalDevice = found->second;
    }
    if (enable) {
        return physicalDevice->Interfaces->Enable(*symbolicLink, physicalDevice->AttachedDevice);
    }
    physicalDevice->Interfaces->Disable(*symbolicLink);
    return STATUS_SUCCESS;
}

void RtlFreeUnicodeString(std::wstring* string) {
    {
        std::lock_guard lock(gRegisteredMutex);
        gRegisteredInterfaces.erase(*string);
    }
    string->clear();
    string->shrink_to_fit();
}
