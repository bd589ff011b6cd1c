// Where the camera's rules take the time from: the local time that names captures and limits
// stills to one per second, and the running time that drives a recording's clock. The program
// uses the system's clocks; tests drive a clock of their own, so that per-second names and a
// 100-minute recording need no waiting. Thread-safe.
#pragma once

#include <chrono>
#include <ctime>
#include <stop_token>

class CaptureClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~CaptureClock() = default;
    // The current local time, to the second.
    virtual std::tm LocalTime() = 0;
    // The running time, which only moves forward.
    virtual TimePoint Now() = 0;
    // Waits until Now() reaches `deadline`; false when `stop` was requested first.
    virtual bool WaitUntil(TimePoint deadline, const std::stop_token& stop) = 0;
};

// The system's local time and steady clock.
CaptureClock& SystemCaptureClock();
