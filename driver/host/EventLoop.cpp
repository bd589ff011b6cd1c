// The epoll loop: descriptors, posted work through an eventfd, and the tick.
#include "driver/host/EventLoop.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <future>

#include "driver/framework/Trace.h"

namespace ostrel::host {
namespace {

using Clock = std::chrono::steady_clock;

// The token of the wake-up descriptor; watches count from 1.
constexpr uint64_t kWakeToken = 0;

}  // namespace

EventLoop::EventLoop(std::chrono::milliseconds tickInterval, std::function<void()> tick)
    : mTickInterval(tickInterval), mTick(std::move(tick)) {}

EventLoop::~EventLoop() {
    Stop();
}

void EventLoop::Stop() {
    {
        std::lock_guard lock(mPostedMutex);
        mStopping = true;
    }
    if (mThread.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(mWake.Get(), &one, sizeof one);
        mThread.join();
    }
    // The loop's state is this thread's now.
    RunAllPosted();
}

bool EventLoop::Start(std::string& error) {
    mEpoll = UniqueFd(epoll_create1(EPOLL_CLOEXEC));
    mWake = UniqueFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    epoll_event wake{};
    wake.events = EPOLLIN;
    wake.data.u64 = kWakeToken;
    if (!mEpoll.Valid() || !mWake.Valid() ||
        epoll_ctl(mEpoll.Get(), EPOLL_CTL_ADD, mWake.Get(), &wake) != 0) {
        error = std::string("setting up the event loop: ") + std::strerror(errno);
        return false;
    }
    mThread = std::thread([this] { Run(); });
    return true;
}

uint64_t EventLoop::Watch(int fd, uint32_t events, Handler handler) {
    uint64_t token = mNextToken++;
    epoll_event event{};
    event.events = events;
    event.data.u64 = token;
    if (epoll_ctl(mEpoll.Get(), EPOLL_CTL_ADD, fd, &event) != 0) {
        TraceEvents(TRACE_LEVEL_ERROR, "socket", "epoll_ctl add failed: {}", std::strerror(errno));
        return 0;
    }
    mWatched.emplace(token, Watched{fd, std::move(handler)});
    return token;
}

void EventLoop::Change(uint64_t token, uint32_t events) {
    auto found = mWatched.find(token);
    if (found == mWatched.end()) {
        return;
    }
    epoll_event event{};
    event.events = events;
    event.data.u64 = token;
    epoll_ctl(mEpoll.Get(), EPOLL_CTL_MOD, found->second.Fd, &event);
}

void EventLoop::Forget(uint64_t token) {
    auto found = mWatched.find(token);
    if (found == mWatched.end()) {
        return;
    }
    epoll_ctl(mEpoll.Get(), EPOLL_CTL_DEL, found->second.Fd, nullptr);
    mWatched.erase(found);
}

void EventLoop::Post(std::function<void()> work) {
    {
        std::lock_guard lock(mPostedMutex);
        mPosted.push_back(std::move(work));
    }
    uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(mWake.Get(), &one, sizeof one);
}

void EventLoop::Call(const std::function<void()>& work) {
    if (!mThread.joinable() || std::this_thread::get_id() == mThread.get_id()) {
        work();
        return;
    }
    std::promise<void> ran;
    std::future<void> done = ran.get_future();
    Post([&] {
        work();
        ran.set_value();
    });
    done.wait();
}

void EventLoop::RunAllPosted() {
    for (;;) {
        std::vector<std::function<void()>> posted;
        {
            std::lock_guard lock(mPostedMutex);
            if (mPosted.empty()) {
                return;
            }
            posted.swap(mPosted);
        }
        for (auto& work : posted) {
            work();
        }
    }
}

bool EventLoop::RunPosted() {
    std::vector<std::function<void()>> posted;
    {
        std::lock_guard lock(mPostedMutex);
        if (mStopping) {
            return false;
        }
        posted.swap(mPosted);
    }
    for (auto& work : posted) {
        work();
    }
    return true;
}

void EventLoop::Run() {
    auto nextTick = Clock::now() + mTickInterval;
    std::array<epoll_event, 64> events;
    for (;;) {
        auto untilTick =
            std::chrono::ceil<std::chrono::milliseconds>(nextTick - Clock::now()).count();
        int count = epoll_wait(mEpoll.Get(), events.data(), static_cast<int>(events.size()),
                               static_cast<int>(std::max<decltype(untilTick)>(untilTick, 0)));
        if (count < 0 && errno != EINTR) {
            TraceEvents(TRACE_LEVEL_ERROR, "socket", "epoll_wait failed: {}", std::strerror(errno));
            return;
        }
        for (int i = 0; i < count; ++i) {
            if (events[i].data.u64 == kWakeToken) {
                uint64_t wakes = 0;
                [[maybe_unused]] ssize_t read = ::read(mWake.Get(), &wakes, sizeof wakes);
                continue;
            }
            // A handler may forget its own watch (or another one) while it runs.
            auto found = mWatched.find(events[i].data.u64);
            if (found != mWatched.end()) {
                Handler handler = found->second.OnEvents;
                handler(events[i].events);
            }
        }
        if (!RunPosted()) {
            return;
        }
        if (Clock::now() >= nextTick) {
            mTick();
            nextTick = Clock::now() + mTickInterval;
        }
    }
}

}  // namespace ostrel::host
