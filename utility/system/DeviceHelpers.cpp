#include "utility/system/DeviceHelpers.h"

#include "platform/capture/Guid.h"
#include "platform/ui/Window.h"

const capture::Guid GUID_DEVINTERFACE_USB_DEVICE =
    *capture::ParseGuid("{A5DCBF10-6530-11D2-901F-00C04FB951ED}");

void UTILITY_EnumVideoDevices(int32_t maximumCount, int32_t& counter,
                              const VideoDeviceCallback& callback) {
    for (const capture::VideoDevice& device : capture::EnumerateVideoDevices()) {
        callback(counter, device, device.displayName);
        if (counter >= maximumCount) {
            return;
        }
    }
}

DeviceNotifyHandle UTILITY_RegisterDeviceNotify(const capture::Guid& interfaceClass,
                                                ui::Window* window) {
    if (window == nullptr || interfaceClass != GUID_DEVINTERFACE_USB_DEVICE) {
        return nullptr;
    }
    return sys::SubscribeUsbDeviceEvents([window](sys::DeviceEvent event) {
        window->PostDeviceChange(event == sys::DeviceEvent::kArrival ? DBT_DEVICEARRIVAL
                                                                     : DBT_DEVICEREMOVECOMPLETE);
    });
}

void UTILITY_UnregisterDeviceNotify(DeviceNotifyHandle& handle) {
    handle.reset();
}
