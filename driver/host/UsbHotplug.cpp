// libudev enumeration and monitoring of USB devices.
#include "driver/host/UsbHotplug.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace ostrel::host {
namespace {

std::optional<UsbDeviceInfo> Describe(udev_device* device) {
    auto attribute = [device](const char* name, int base) -> std::optional<unsigned long> {
        const char* text = udev_device_get_sysattr_value(device, name);
        if (!text) {
            return std::nullopt;
        }
        return std::strtoul(text, nullptr, base);
    };
    auto vendor = attribute("idVendor", 16);
    auto product = attribute("idProduct", 16);
    auto release = attribute("bcdDevice", 16);
    auto bus = attribute("busnum", 10);
    auto address = attribute("devnum", 10);
    if (!vendor || !product || !release || !bus || !address) {
        return std::nullopt;
    }
    return UsbDeviceInfo{udev_device_get_sysname(device), static_cast<uint16_t>(*vendor),
                         static_cast<uint16_t>(*product), static_cast<uint16_t>(*release),
                         static_cast<uint8_t>(*bus),      static_cast<uint8_t>(*address)};
}

}  // namespace

UsbHotplug::UsbHotplug(Added added, Removed removed)
    : mAdded(std::move(added)), mRemoved(std::move(removed)) {}

UsbHotplug::~UsbHotplug() {
    Stop();
    if (mMonitor) {
        udev_monitor_unref(mMonitor);
    }
    if (mUdev) {
        udev_unref(mUdev);
    }
}

bool UsbHotplug::Start(std::string& error) {
    mUdev = udev_new();
    if (!mUdev) {
        error = "udev_new failed";
        return false;
    }
    mMonitor = udev_monitor_new_from_netlink(mUdev, "udev");
    if (!mMonitor ||
        udev_monitor_filter_add_match_subsystem_devtype(mMonitor, "usb", "usb_device") < 0 ||
        udev_monitor_enable_receiving(mMonitor) < 0) {
        error = "udev monitor could not be set up";
        return false;
    }
    mWake = UniqueFd(eventfd(0, EFD_CLOEXEC));
    if (!mWake.Valid()) {
        error = std::string("eventfd: ") + std::strerror(errno);
        return false;
    }
    Enumerate();
    mThread = std::thread([this] { Monitor(); });
    return true;
}

void UsbHotplug::Stop() {
    if (mThread.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(mWake.Get(), &one, sizeof one);
        mThread.join();
    }
}

void UsbHotplug::Enumerate() {
    udev_enumerate* enumerate = udev_enumerate_new(mUdev);
    udev_enumerate_add_match_subsystem(enumerate, "usb");
    udev_enumerate_add_match_property(enumerate, "DEVTYPE", "usb_device");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(mUdev, udev_list_entry_get_name(entry));
        if (device) {
            if (auto info = Describe(device)) {
                mAdded(*info);
            }
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
}

void UsbHotplug::Monitor() {
    pollfd fds[2] = {{udev_monitor_get_fd(mMonitor), POLLIN, 0}, {mWake.Get(), POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents) {
            return;
        }
        udev_device* device = udev_monitor_receive_device(mMonitor);
        if (!device) {
            continue;
        }
        std::string action = udev_device_get_action(device) ? udev_device_get_action(device) : "";
        if (action == "add") {
            if (auto info = Describe(device)) {
                mAdded(*info);
            }
        } else if (action == "remove") {
            mRemoved(udev_device_get_sysname(device));
        }
        udev_device_unref(device);
    }
}

}  // namespace ostrel::host
