// The subscriber list and the udev monitor thread:
//
//   udev netlink (usb_device add/remove) --poll--> monitor thread --> every subscriber
//   PublishUsbDeviceEvent() ---------------------------------------> every subscriber
#include "platform/sys/DeviceNotifications.h"

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <list>
#include <mutex>
#include <thread>

namespace sys {
namespace {

class Hub;

class Subscription final : public DeviceSubscription {
  public:
    Subscription(Hub& hub, std::list<DeviceCallback>::iterator entry) : mHub(hub), mEntry(entry) {}
    ~Subscription() override;

  private:
    Hub& mHub;
    std::list<DeviceCallback>::iterator mEntry;
};

class Hub {
  public:
    static Hub& Instance() {
        static Hub hub;
        return hub;
    }

    std::unique_ptr<DeviceSubscription> Subscribe(DeviceCallback callback) {
        std::lock_guard lock(mMutex);
        auto entry = mCallbacks.insert(mCallbacks.end(), std::move(callback));
        if (mCallbacks.size() == 1) {
            StartMonitor();
        }
        return std::make_unique<Subscription>(*this, entry);
    }

    void Unsubscribe(std::list<DeviceCallback>::iterator entry) {
        std::thread monitor;
        {
            std::lock_guard lock(mMutex);
            mCallbacks.erase(entry);
            if (mCallbacks.empty()) {
                monitor = StopMonitor();
            }
        }
        if (monitor.joinable()) {
            monitor.join();
        }
    }

    // Callbacks run under the lock, so that an unsubscribe waits for a running callback.
    void Publish(DeviceEvent event) {
        std::lock_guard lock(mMutex);
        for (const DeviceCallback& callback : mCallbacks) {
            callback(event);
        }
    }

  private:
    void StartMonitor() {
        if (pipe2(mWakeup, O_CLOEXEC) != 0) {
            std::perror("pipe2");
            mWakeup[0] = mWakeup[1] = -1;
            return;
        }
        mMonitor = std::thread([this, wakeup = mWakeup[0]] { Monitor(wakeup); });
    }

    // Tells the monitor thread to end; the caller joins it outside the lock.
    std::thread StopMonitor() {
        if (mWakeup[1] >= 0) {
            const char stop = 1;
            [[maybe_unused]] ssize_t written = write(mWakeup[1], &stop, 1);
            close(mWakeup[1]);
            mWakeup[1] = -1;
        }
        return std::move(mMonitor);
    }

    void Monitor(int wakeup) {
        udev* context = udev_new();
        udev_monitor* monitor = context ? udev_monitor_new_from_netlink(context, "udev") : nullptr;
        if (monitor != nullptr &&
            (udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device") < 0 ||
             udev_monitor_enable_receiving(monitor) < 0)) {
            std::fprintf(stderr, "udev monitor unavailable: USB removal is not reported\n");
            udev_monitor_unref(monitor);
            monitor = nullptr;
        }
        pollfd fds[2] = {{wakeup, POLLIN, 0},
                         {monitor ? udev_monitor_get_fd(monitor) : -1, POLLIN, 0}};
        for (;;) {
            if (poll(fds, monitor ? 2 : 1, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                break;
            }
            if (fds[0].revents != 0) {
                break;
            }
            if (monitor != nullptr && (fds[1].revents & POLLIN) != 0) {
                if (udev_device* device = udev_monitor_receive_device(monitor)) {
                    const char* action = udev_device_get_action(device);
                    if (action != nullptr && std::strcmp(action, "remove") == 0) {
                        Publish(DeviceEvent::kRemovalComplete);
                    } else if (action != nullptr && std::strcmp(action, "add") == 0) {
                        Publish(DeviceEvent::kArrival);
                    }
                    udev_device_unref(device);
                }
            }
        }
        close(wakeup);
        if (monitor != nullptr) {
            udev_monitor_unref(monitor);
        }
        if (context != nullptr) {
            udev_unref(context);
        }
    }

    std::mutex mMutex;
    std::list<DeviceCallback> mCallbacks;
    std::thread mMonitor;
    int mWakeup[2] = {-1, -1};
};

Subscription::~Subscription() {
    mHub.Unsubscribe(mEntry);
}

}  // namespace

std::unique_ptr<DeviceSubscription> SubscribeUsbDeviceEvents(DeviceCallback callback) {
    return Hub::Instance().Subscribe(std::move(callback));
}

void PublishUsbDeviceEvent(DeviceEvent event) {
    Hub::Instance().Publish(event);
}

}  // namespace sys
