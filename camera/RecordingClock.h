// The running clock of one recording: "00:01" as soon as it starts, then one second more each
// second ("100:00" after 100 minutes), counted from the start on a CaptureClock. The counting
// thread belongs to the clock: Stop() (and destruction) ends and joins it, so a recording ended
// and started again within a second never has two clocks writing. The text is guarded by a
// mutex and read by the window's painting; `changed` tells the window (on the counting thread)
// to repaint and must only hand that on.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "camera/CaptureClock.h"

class RecordingClock {
  public:
    RecordingClock(CaptureClock& clock, std::function<void()> changed);
    ~RecordingClock();
    RecordingClock(const RecordingClock&) = delete;
    RecordingClock& operator=(const RecordingClock&) = delete;

    // Starts counting from now (stopping a clock still running).
    void Start();
    // Stops counting and joins the thread; the text keeps its last value.
    void Stop();
    // "mm:ss" of the running recording.
    std::wstring Text() const;

    // "%02d:%02d" of whole minutes and the seconds left over.
    static std::wstring Format(long long seconds);

  private:
    void Count(const std::stop_token& stop);
    void SetSeconds(long long seconds);

    CaptureClock& mClock;
    std::function<void()> mChanged;
    mutable std::mutex mMutex;
    std::wstring mText;
    std::jthread mThread;
};
