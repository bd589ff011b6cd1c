// USB hot-plug through libudev: reports the USB devices present at start and then every device
// added or removed, on a thread of its own. Stopping (or destroying) joins that thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "driver/host/UnixSocket.h"

struct udev;
struct udev_monitor;

namespace ostrel::host {

struct UsbDeviceInfo {
    std::string SysName;  // the port path, e.g. "1-4.2"
    uint16_t VendorId = 0;
    uint16_t ProductId = 0;
    uint16_t Release = 0;
    uint8_t Bus = 0;
    uint8_t Address = 0;
};

class UsbHotplug {
  public:
    using Added = std::function<void(const UsbDeviceInfo& device)>;
    using Removed = std::function<void(const std::string& sysName)>;

    UsbHotplug(Added added, Removed removed);
    ~UsbHotplug();
    UsbHotplug(const UsbHotplug&) = delete;
    UsbHotplug& operator=(const UsbHotplug&) = delete;

    // Reports the present devices, then follows changes. False with `error` set on failure.
    bool Start(std::string& error);
    void Stop();

  private:
    void Enumerate();
    void Monitor();

    Added mAdded;
    Removed mRemoved;
    udev* mUdev = nullptr;
    udev_monitor* mMonitor = nullptr;
    UniqueFd mWake;
    std::thread mThread;
};

}  // namespace ostrel::host
