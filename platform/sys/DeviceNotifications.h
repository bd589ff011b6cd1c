// USB device arrival and removal, from the kernel's udev events and from simulated devices
// (the virtual camera's unplug), delivered to every subscriber.
//
// Threading: callbacks run on the udev monitor thread (or on the thread that publishes a
// simulated event); a subscriber that touches windows must hand the event to the UI thread.
// The monitor thread runs while at least one subscription exists and is joined when the
// last one ends; no callback runs after its subscription is destroyed. Callbacks run one at a
// time under the subscriber list's lock: a callback must not subscribe, end a subscription or
// publish (it would wait for itself), and should only hand the event on. End every
// subscription before the program exits.
#pragma once

#include <functional>
#include <memory>

namespace sys {

enum class DeviceEvent {
    kArrival,
    kRemovalComplete,
};

using DeviceCallback = std::function<void(DeviceEvent)>;

class DeviceSubscription {
  public:
    virtual ~DeviceSubscription() = default;
};

// Subscribes to USB device events until the returned subscription is destroyed.
std::unique_ptr<DeviceSubscription> SubscribeUsbDeviceEvents(DeviceCallback callback);

// Delivers a simulated USB device event to every subscriber, on the calling thread.
void PublishUsbDeviceEvent(DeviceEvent event);

}  // namespace sys
