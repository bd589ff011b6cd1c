// The framework device object: the physical device object it was added for, the Plug and Play
// and power callbacks, the default queue, its device interfaces, and "mark failed".
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "driver/framework/DeviceInterfaceHost.h"
#include "driver/framework/Guid.h"
#include "driver/framework/Ntstatus.h"
#include "driver/framework/UsbDeviceBackend.h"
#include "driver/framework/WdfDriver.h"
#include "driver/framework/WdfObject.h"

class WdfDevice;
class WdfIoQueue;
using WDFDEVICE = WdfDevice*;
using WDFQUEUE = WdfIoQueue*;
using WDFCMRESLIST = void*;

// The bus driver's device object of one USB device, created by the host when it binds a device.
struct DEVICE_OBJECT {
    std::string InstanceName;               // unique per device, e.g. the USB port path "1-4.2"
    std::shared_ptr<UsbDeviceBackend> Usb;  // the device on the bus
    DeviceInterfaceHost* Interfaces = nullptr;
    WdfDevice* AttachedDevice = nullptr;  // the function device added for it, if any
};
using PDEVICE_OBJECT = DEVICE_OBJECT*;

enum WDF_POWER_DEVICE_STATE { WdfPowerDeviceD0 = 1, WdfPowerDeviceD3 = 4 };
enum WDF_DEVICE_IO_TYPE { WdfDeviceIoBuffered = 1, WdfDeviceIoDirect = 2 };
enum WDF_DEVICE_FAILED_ACTION { WdfDeviceFailedAttemptRestart = 1, WdfDeviceFailedNoRestart = 2 };

struct WDF_PNPPOWER_EVENT_CALLBACKS {
    NTSTATUS (*EvtDevicePrepareHardware)(WDFDEVICE, WDFCMRESLIST, WDFCMRESLIST) = nullptr;
    NTSTATUS (*EvtDeviceReleaseHardware)(WDFDEVICE, WDFCMRESLIST) = nullptr;
    NTSTATUS (*EvtDeviceD0Entry)(WDFDEVICE, WDF_POWER_DEVICE_STATE) = nullptr;
    NTSTATUS (*EvtDeviceD0Exit)(WDFDEVICE, WDF_POWER_DEVICE_STATE) = nullptr;
    void (*EvtDeviceSurpriseRemoval)(WDFDEVICE) = nullptr;
};

struct WDFDEVICE_INIT {
    WDFDRIVER Driver = nullptr;
    PDEVICE_OBJECT PhysicalDevice = nullptr;
    WDF_PNPPOWER_EVENT_CALLBACKS PnpPower;
    WDF_DEVICE_IO_TYPE IoType = WdfDeviceIoBuffered;
};

struct WDF_DEVICE_PNP_CAPABILITIES {
    bool SurpriseRemovalOK = false;
    uint32_t Address = UINT32_MAX;   // unspecified
    uint32_t UINumber = UINT32_MAX;  // unspecified
};

class WdfDevice : public WdfObject {
  public:
    struct Interface {
        GUID InterfaceGuid;
        std::wstring SymbolicLink;
    };

    explicit WdfDevice(const WDFDEVICE_INIT& init) : mInit(init) {}

    WDFDRIVER Driver() const { return mInit.Driver; }
    PDEVICE_OBJECT PhysicalDevice() const { return mInit.PhysicalDevice; }
    const WDF_PNPPOWER_EVENT_CALLBACKS& PnpPower() const { return mInit.PnpPower; }
    WDFQUEUE DefaultQueue() const { return mDefaultQueue; }
    void SetDefaultQueue(WDFQUEUE queue) { mDefaultQueue = queue; }

    void AddInterface(const Interface& deviceInterface);
    std::vector<Interface> Interfaces() const;

    void SetCapabilities(const WDF_DEVICE_PNP_CAPABILITIES& capabilities) {
        mCapabilities = capabilities;
    }
    const WDF_DEVICE_PNP_CAPABILITIES& Capabilities() const { return mCapabilities; }

    void SetStarted(bool started) { mStarted = started; }
    bool IsStarted() const { return mStarted; }

    void SetFailed(WDF_DEVICE_FAILED_ACTION action) { mFailedAction = action; }
    // The failure set since the last call (0 when none), cleared by reading it.
    int TakeFailed() { return mFailedAction.exchange(0); }

  private:
    WDFDEVICE_INIT mInit;
    WDFQUEUE mDefaultQueue = nullptr;
    WDF_DEVICE_PNP_CAPABILITIES mCapabilities;
    mutable std::mutex mInterfacesMutex;
    std::vector<Interface> mInterfaces;
    std::atomic<int> mFailedAction{0};
    std::atomic<bool> mStarted{false};
};

void WdfDeviceInitSetPnpPowerEventCallbacks(PWDFDEVICE_INIT init,
                                            const WDF_PNPPOWER_EVENT_CALLBACKS* callbacks);
void WdfDeviceInitSetIoType(PWDFDEVICE_INIT init, WDF_DEVICE_IO_TYPE ioType);
// Creates the device object for `*init` as a child of the driver.
NTSTATUS WdfDeviceCreate(PWDFDEVICE_INIT* init, const WDF_OBJECT_ATTRIBUTES* attributes,
                         WDFDEVICE* device);
void WdfDeviceSetPnpCapabilities(WDFDEVICE device, const WDF_DEVICE_PNP_CAPABILITIES* capabilities);
// Registers an interface that the framework enables while the device is started.
NTSTATUS WdfDeviceCreateDeviceInterface(WDFDEVICE device, const GUID* interfaceGuid,
                                        const std::wstring* referenceString);
PDEVICE_OBJECT WdfDeviceWdmGetPhysicalDevice(WDFDEVICE device);
// Marks the device failed; with WdfDeviceFailedAttemptRestart the system restarts it.
void WdfDeviceSetFailed(WDFDEVICE device, WDF_DEVICE_FAILED_ACTION action);

// Interfaces that the driver manages itself, on the physical device object. The link names the
// interface ("<instance>/<guid>"); RtlFreeUnicodeString empties it and forgets the registration.
NTSTATUS IoRegisterDeviceInterface(PDEVICE_OBJECT physicalDevice, const GUID* interfaceGuid,
                                   const std::wstring* referenceString, std::wstring* symbolicLink);
NTSTATUS IoSetDeviceInterfaceState(const std::wstring* symbolicLink, bool enable);
void RtlFreeUnicodeString(std::wstring* string);
