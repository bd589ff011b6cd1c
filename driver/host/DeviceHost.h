// Loads the driver once and binds devices to it: for each USB device it creates the physical
// device object, lets the driver add its device object and starts it; unbinding stops and
// removes it. Used by ostreld for real and simulated devices, and by the tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "driver/framework/DeviceInterfaceHost.h"
#include "driver/framework/UsbDeviceBackend.h"
#include "driver/framework/WdfDevice.h"
#include "driver/framework/WdfDriver.h"

namespace ostrel::host {

class DeviceHost {
  public:
    // `parameters` are the driver's service parameters (time limits). `interfaces` must outlive
    // the host.
    explicit DeviceHost(DeviceInterfaceHost& interfaces,
                        std::map<std::string, uint32_t> parameters = {});
    ~DeviceHost();
    DeviceHost(const DeviceHost&) = delete;
    DeviceHost& operator=(const DeviceHost&) = delete;

    bool DriverLoaded() const { return mDriverObject.FrameworkDriver != nullptr; }
    // Adds and starts a device under the unique `instanceName`; on failure nothing stays bound.
    NTSTATUS Bind(const std::string& instanceName, std::shared_ptr<UsbDeviceBackend> usb);
    // Stops and removes the device; `surprise` when it was unplugged.
    void Unbind(const std::string& instanceName, bool surprise);
    // The device object bound under `instanceName`, or nullptr.
    WDFDEVICE Device(const std::string& instanceName) const;
    std::vector<std::string> Instances() const;

  private:
    DeviceInterfaceHost& mInterfaces;
    DRIVER_OBJECT mDriverObject;
    mutable std::mutex mMutex;
    std::map<std::string, std::unique_ptr<DEVICE_OBJECT>> mDevices;
};

}  // namespace ostrel::host
