// The camera window's removal check: after a USB device removal, a thread asks whether the
// camera is still attached and reports once when it is gone. A removal that arrives while a
// check runs makes that check look again when it is done, so the camera's own removal (say,
// together with its hub) is never missed. The check owns its thread and joins it when destroyed.
// `onAbsent` runs on the checking thread and must only hand the news on.
#pragma once

#include <functional>
#include <mutex>
#include <thread>

class DeviceRemovalCheck {
  public:
    DeviceRemovalCheck(std::function<bool()> isPresent, std::function<void()> onAbsent);
    ~DeviceRemovalCheck();
    DeviceRemovalCheck(const DeviceRemovalCheck&) = delete;
    DeviceRemovalCheck& operator=(const DeviceRemovalCheck&) = delete;

    // A USB device was removed: starts a check, or has the running one check again.
    void OnRemoval();

  private:
    void Check(const std::stop_token& stop);

    std::function<bool()> mIsPresent;
    std::function<void()> mOnAbsent;
    std::mutex mMutex;
    bool mRunning = false;
    bool mAgain = false;
    std::jthread mThread;
};
