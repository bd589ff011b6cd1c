// The system's clocks behind CaptureClock.
#include "camera/CaptureClock.h"

#include <condition_variable>
#include <mutex>

#include "utility/files/LocalTime.h"

namespace {

class SystemClock final : public CaptureClock {
  public:
    std::tm LocalTime() override { return utility::LocalTimeNow(); }
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    bool WaitUntil(TimePoint deadline, const std::stop_token& stop) override {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        std::unique_lock lock(mutex);
        wakeUp.wait_until(lock, stop, deadline, [] { return false; });
        return !stop.stop_requested();
    }
};

}  // namespace

CaptureClock& SystemCaptureClock() {
    static SystemClock clock;
    return clock;
}
