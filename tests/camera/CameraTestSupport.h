// What the camera tests share: a clock the test moves by hand, the operator's messages recorded
// instead of shown, and waiting for a condition with a generous deadline.
#pragma once

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "camera/CaptureClock.h"
#include "utility/boxes/OperatorPrompts.h"

namespace cameratest {

inline constexpr auto kDeadline = std::chrono::seconds(60);

// Starts at a given local time and moves only when the test advances it.
class ManualClock final : public CaptureClock {
  public:
    // year, month (1-12), day, hour, minute, second of local time.
    ManualClock(int year, int month, int day, int hour, int minute, int second) {
        mStart.tm_year = year - 1900;
        mStart.tm_mon = month - 1;
        mStart.tm_mday = day;
        mStart.tm_hour = hour;
        mStart.tm_min = minute;
        mStart.tm_sec = second;
        mStart.tm_isdst = -1;
    }

    std::tm LocalTime() override {
        std::lock_guard lock(mMutex);
        std::tm copy = mStart;
        const std::time_t at = std::mktime(&copy) + mElapsed.count();
        std::tm local{};
        ::localtime_r(&at, &local);
        return local;
    }
    TimePoint Now() override {
        std::lock_guard lock(mMutex);
        return TimePoint{} + mElapsed;
    }
    bool WaitUntil(TimePoint deadline, const std::stop_token& stop) override {
        std::unique_lock lock(mMutex);
        return mMoved.wait(lock, stop, [&] { return TimePoint{} + mElapsed >= deadline; });
    }

    void Advance(std::chrono::seconds by) {
        {
            std::lock_guard lock(mMutex);
            mElapsed += by;
        }
        mMoved.notify_all();
    }

  private:
    std::mutex mMutex;
    std::condition_variable_any mMoved;
    std::tm mStart{};
    std::chrono::seconds mElapsed{0};
};

// Records every message; answers every question NO.
class RecordedPrompts final : public OperatorPrompts {
  public:
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    bool AskYesNo(const std::wstring&) override { return false; }
    std::vector<std::wstring> messages;
};

// Polls `condition` until it holds or the deadline passes; returns whether it holds.
inline bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace cameratest
