// The device list: V4L2 capture nodes from udev, each named by its physical identity, and
// the attached virtual cameras; and opening a listed device.
#include <libudev.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/capture/DeviceNames.h"
#include "platform/capture/Source.h"
#include "platform/capture/V4l2Source.h"
#include "platform/capture/VideoDevice.h"
#include "platform/capture/VirtualDevices.h"

namespace capture {
namespace {

std::string Attribute(udev_device* device, const char* name) {
    const char* value = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    return value ? value : "";
}

std::string Property(udev_device* device, const char* name) {
    const char* value = device ? udev_device_get_property_value(device, name) : nullptr;
    return value ? value : "";
}

detail::DeviceIdentity IdentityOf(udev_device* video) {
    detail::DeviceIdentity identity;
    identity.index = std::atoi(Attribute(video, "index").c_str());
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(video, "usb", "usb_device");
    udev_device* interface =
        udev_device_get_parent_with_subsystem_devtype(video, "usb", "usb_interface");
    if (usb == nullptr) {
        const std::string path = Property(video, "ID_PATH");
        identity.physicalPath = path.empty() ? udev_device_get_sysname(video) : path;
        return identity;
    }
    identity.usb = true;
    identity.vendor =
        static_cast<uint16_t>(std::strtoul(Attribute(usb, "idVendor").c_str(), nullptr, 16));
    identity.product =
        static_cast<uint16_t>(std::strtoul(Attribute(usb, "idProduct").c_str(), nullptr, 16));
    identity.serial = Attribute(usb, "serial");
    identity.portPath = udev_device_get_sysname(usb);
    identity.interfaceNumber = Attribute(interface, "bInterfaceNumber");
    return identity;
}

std::vector<VideoDevice> V4l2Devices() {
    std::vector<VideoDevice> devices;
    udev* context = udev_new();
    if (context == nullptr) {
        return devices;
    }
    udev_enumerate* enumerate = udev_enumerate_new(context);
    udev_enumerate_add_match_subsystem(enumerate, "video4linux");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* video = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
        const char* node = video ? udev_device_get_devnode(video) : nullptr;
        if (node != nullptr && std::strncmp(udev_device_get_sysname(video), "video", 5) == 0 &&
            IsCaptureNode(node)) {
            devices.push_back({detail::BuildDisplayName(IdentityOf(video)), node});
        }
        if (video != nullptr) {
            udev_device_unref(video);
        }
    }
    udev_enumerate_unref(enumerate);
    udev_unref(context);
    return devices;
}

}  // namespace

std::vector<VideoDevice> EnumerateVideoDevices() {
    std::vector<VideoDevice> devices = V4l2Devices();
    std::sort(devices.begin(), devices.end(), [](const VideoDevice& a, const VideoDevice& b) {
        return a.displayName < b.displayName;
    });
    for (VideoDevice& device : detail::VirtualDevices()) {
        devices.push_back(std::move(device));
    }
    return devices;
}

std::unique_ptr<Source> Source::Open(const VideoDevice& device) {
    if (detail::IsVirtualLocator(device.locator)) {
        return detail::OpenVirtualSource(device);
    }
    return OpenV4l2Source(device.locator);
}

}  // namespace capture
