// The video input devices attached to the machine: V4L2 capture nodes found through udev,
// and the virtual camera when the platform is told to offer it.
#pragma once

#include <string>
#include <vector>

namespace capture {

struct VideoDevice {
    // Stable across replugging and reboots; for a USB camera it contains VID_xxxx&PID_xxxx.
    std::wstring displayName;
    // Where the device is opened: a device node, or the virtual camera's locator.
    std::string locator;
};

// Every video input device once, in a stable order (by display name). The virtual camera is
// listed when a test installed it or the environment variable SORVANTI_VIRTUAL_CAMERA is 1.
std::vector<VideoDevice> EnumerateVideoDevices();

}  // namespace capture
