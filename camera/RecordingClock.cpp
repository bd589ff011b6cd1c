// The recording clock's counting thread.
#include "camera/RecordingClock.h"

#include "platform/text/Format.h"

RecordingClock::RecordingClock(CaptureClock& clock, std::function<void()> changed)
    : mClock(clock), mChanged(std::move(changed)) {}

RecordingClock::~RecordingClock() {
    Stop();
}

void RecordingClock::Start() {
    Stop();
    SetSeconds(1);
    mThread = std::jthread([this](std::stop_token stop) { Count(stop); });
}

void RecordingClock::Stop() {
    if (mThread.joinable()) {
        mThread.request_stop();
        mThread.join();
    }
}

std::wstring RecordingClock::Text() const {
    std::lock_guard lock(mMutex);
    return mText;
}

std::wstring RecordingClock::Format(long long seconds) {
    return text::sprintf(L"%02d:%02d", seconds / 60, seconds % 60);
}

void RecordingClock::SetSeconds(long long seconds) {
    std::lock_guard lock(mMutex);
    mText = Format(seconds);
}

// The clock shows the whole seconds elapsed plus one: it reads 00:01 from the start, 00:02 one
// second later. Counting from the start, not from the last wake-up, keeps it from drifting.
void RecordingClock::Count(const std::stop_token& stop) {
    const CaptureClock::TimePoint start = mClock.Now();
    long long seconds = 1;
    mChanged();
    while (mClock.WaitUntil(start + std::chrono::seconds(seconds), stop)) {
        seconds =
            std::chrono::duration_cast<std::chrono::seconds>(mClock.Now() - start).count() + 1;
        SetSeconds(seconds);
        mChanged();
    }
}
