// The framework driver object: created by driver entry with the device-add callback; owns the
// device objects of the driver. The system's driver object carries the service's parameters
// (what a kernel driver reads from its registry Parameters key).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfObject.h"

class WdfDriver;
struct WDFDEVICE_INIT;
using WDFDRIVER = WdfDriver*;
using PWDFDEVICE_INIT = WDFDEVICE_INIT*;
using PFN_WDF_DRIVER_DEVICE_ADD = NTSTATUS (*)(WDFDRIVER driver, PWDFDEVICE_INIT deviceInit);

// The system's driver object, owned by the host that loads the driver.
struct DRIVER_OBJECT {
    std::wstring DriverName;
    std::map<std::string, uint32_t> Parameters;
    WDFDRIVER FrameworkDriver = nullptr;
};
using PDRIVER_OBJECT = DRIVER_OBJECT*;

struct WDF_DRIVER_CONFIG {
    PFN_WDF_DRIVER_DEVICE_ADD EvtDriverDeviceAdd = nullptr;
};

inline void WDF_DRIVER_CONFIG_INIT(WDF_DRIVER_CONFIG* config, PFN_WDF_DRIVER_DEVICE_ADD deviceAdd) {
    *config = WDF_DRIVER_CONFIG{deviceAdd};
}

class WdfDriver : public WdfObject {
  public:
    WdfDriver(PDRIVER_OBJECT driverObject, const WDF_DRIVER_CONFIG& config)
        : mDriverObject(driverObject), mConfig(config) {}
    PDRIVER_OBJECT DriverObject() const { return mDriverObject; }
    const WDF_DRIVER_CONFIG& Config() const { return mConfig; }

  private:
    PDRIVER_OBJECT mDriverObject;
    WDF_DRIVER_CONFIG mConfig;
};

// Creates the framework driver object for `driverObject` (attributes may be null).
NTSTATUS WdfDriverCreate(PDRIVER_OBJECT driverObject, const WDF_DRIVER_CONFIG* config,
                         const WDF_OBJECT_ATTRIBUTES* attributes, WDFDRIVER* driver);
PDRIVER_OBJECT WdfDriverWdmGetDriverObject(WDFDRIVER driver);
// A numeric parameter of the driver's service; STATUS_NOT_FOUND when it is not set.
NTSTATUS WdfRegistryQueryULong(WDFDRIVER driver, const std::string& name, uint32_t* value);
