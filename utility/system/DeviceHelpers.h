// The camera window's device helpers: listing the video input devices, and subscribing a
// window to USB device arrival and removal, delivered to it as its device-change message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/capture/KsControl.h"
#include "platform/capture/VideoDevice.h"
#include "platform/sys/DeviceNotifications.h"

namespace ui {
class Window;
}

// The device-interface class of USB devices, {A5DCBF10-6530-11D2-901F-00C04FB951ED}.
extern const capture::Guid GUID_DEVINTERFACE_USB_DEVICE;

// Device-change events as a window receives them.
inline constexpr uint32_t DBT_DEVICEARRIVAL = 0x8000;
inline constexpr uint32_t DBT_DEVICEREMOVECOMPLETE = 0x8004;

// Offers each video input device, in the device list's order, to `callback`, which stores it
// and advances `counter`; stops once `counter` reaches `maximumCount`.
using VideoDeviceCallback = std::function<void(int32_t& counter, const capture::VideoDevice& device,
                                               const std::wstring& displayName)>;
void UTILITY_EnumVideoDevices(int32_t maximumCount, int32_t& counter,
                              const VideoDeviceCallback& callback);

// A registration; ending it (UTILITY_UnregisterDeviceNotify or destruction) guarantees no
// further message is posted for it.
using DeviceNotifyHandle = std::unique_ptr<sys::DeviceSubscription>;

// Posts every USB device arrival and removal to `window` as a device-change message. Only the
// USB device class is offered; any other class gives no registration (null).
DeviceNotifyHandle UTILITY_RegisterDeviceNotify(const capture::Guid& interfaceClass,
                                                ui::Window* window);
// Ends a registration; a null handle is ignored.
void UTILITY_UnregisterDeviceNotify(DeviceNotifyHandle& handle);
