// Internal: the display name of a video device, built from what identifies it physically so
// that it stays the same across replugging and reboots (never from /dev/videoN alone).
#pragma once

#include <cstdint>
#include <string>

namespace capture::detail {

struct DeviceIdentity {
    bool usb = false;
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::string serial;           // may be empty
    std::string portPath;         // the USB port chain, e.g. "1-1.2"
    std::string interfaceNumber;  // two hex digits, e.g. "00"
    std::string physicalPath;     // for devices that are not USB: udev's ID_PATH or sysfs name
    int index = 0;                // the node's index on its device (capture nodes: 0)
};

// USB: "usb-VID_046D&PID_085C-<serial>-<port path>-if00-video-index0" (ids in upper-case
// hex); others: "<physical path>-video-index0".
std::wstring BuildDisplayName(const DeviceIdentity& identity);

}  // namespace capture::detail
