// Polls the camera's key state every 100 ms on a thread of its own and reports each key when it
// is let go (a held key acts once). The poller owns its thread: destruction stops and joins it,
// so the source the reads go to must outlive the poller. `onRelease` runs on the polling thread
// and must only hand the key on (the camera window posts a click to itself).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

class KeyPoller {
  public:
    // Reads the key state into `value`; false when the read failed (it then changes nothing).
    using ReadKeyState = std::function<bool(uint32_t& value)>;
    // KeyRelease::kKeyA or kKeyB.
    using KeyReleased = std::function<void(uint32_t key)>;

    static constexpr std::chrono::milliseconds kInterval{100};

    KeyPoller(ReadKeyState read, KeyReleased onRelease);
    ~KeyPoller();
    KeyPoller(const KeyPoller&) = delete;
    KeyPoller& operator=(const KeyPoller&) = delete;

  private:
    void Poll(const std::stop_token& stop);

    ReadKeyState mRead;
    KeyReleased mOnRelease;
    std::jthread mThread;
};
