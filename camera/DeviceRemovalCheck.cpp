// The removal check's thread.
#include "camera/DeviceRemovalCheck.h"

DeviceRemovalCheck::DeviceRemovalCheck(std::function<bool()> isPresent,
                                       std::function<void()> onAbsent)
    : mIsPresent(std::move(isPresent)), mOnAbsent(std::move(onAbsent)) {}

DeviceRemovalCheck::~DeviceRemovalCheck() {
    if (mThread.joinable()) {
        mThread.request_stop();
        mThread.join();
    }
}

void DeviceRemovalCheck::OnRemoval() {
    std::lock_guard lock(mMutex);
    if (mRunning) {
        mAgain = true;
        return;
    }
    mRunning = true;
    // The previous check has finished (it cleared mRunning as its last step): joining it is brief.
    if (mThread.joinable()) {
        mThread.join();
    }
    mThread = std::jthread([this](std::stop_token stop) { Check(stop); });
}

void DeviceRemovalCheck::Check(const std::stop_token& stop) {
    for (;;) {
        if (!mIsPresent() && !stop.stop_requested()) {
            mOnAbsent();
            std::lock_guard lock(mMutex);
            mRunning = mAgain = false;
            return;
        }
        std::lock_guard lock(mMutex);
        if (!mAgain || stop.stop_requested()) {
            mRunning = mAgain = false;
            return;
        }
        mAgain = false;
    }
}
