// The key polling thread.
#include "camera/KeyPoller.h"

#include <condition_variable>
#include <mutex>

#include "camera/KeyRelease.h"

KeyPoller::KeyPoller(ReadKeyState read, KeyReleased onRelease)
    : mRead(std::move(read)),
      mOnRelease(std::move(onRelease)),
      mThread([this](std::stop_token stop) { Poll(stop); }) {}

KeyPoller::~KeyPoller() {
    mThread.request_stop();
    mThread.join();
}

void KeyPoller::Poll(const std::stop_token& stop) {
    KeyRelease keys;
    std::mutex mutex;
    std::condition_variable_any wakeUp;
    std::unique_lock lock(mutex);
    while (!stop.stop_requested()) {
        uint32_t value = 0;
        if (mRead(value)) {
            if (const uint32_t released = keys.Feed(value)) {
                mOnRelease(released);
            }
        }
        wakeUp.wait_for(lock, stop, kInterval, [] { return false; });
    }
}
