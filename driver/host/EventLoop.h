// An epoll loop on a thread of its own: it watches descriptors and calls their handlers, runs
// work posted from other threads, and calls a tick at a fixed interval. Handlers, posted work and
// the tick all run on the loop's thread, one at a time, so the state they share needs no lock.
// Stopping (or destroying) the loop joins its thread and then runs the work already posted on
// the stopping thread; no other thread may post or call once stopping has begun.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "driver/host/UnixSocket.h"

namespace ostrel::host {

class EventLoop {
  public:
    // Called with the epoll events of the watched descriptor.
    using Handler = std::function<void(uint32_t events)>;

    EventLoop(std::chrono::milliseconds tickInterval, std::function<void()> tick);
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // Starts the thread. False, with `error` naming the failed call, when epoll or the wake-up
    // descriptor cannot be created.
    bool Start(std::string& error);
    void Stop();
    bool Running() const { return mThread.joinable(); }

    // On the loop's thread only. Watch returns the token that names the watch (0 on failure);
    // the descriptor stays the caller's, who forgets it before closing it.
    uint64_t Watch(int fd, uint32_t events, Handler handler);
    void Change(uint64_t token, uint32_t events);
    void Forget(uint64_t token);

    // From any thread.
    void Post(std::function<void()> work);
    // Runs `work` on the loop's thread and returns once it has run; runs it at once when called
    // on that thread or when the loop is not running.
    void Call(const std::function<void()>& work);

  private:
    struct Watched {
        int Fd;
        Handler OnEvents;
    };

    void Run();
    // Runs the work posted so far; false (running nothing) once the loop is stopping.
    bool RunPosted();
    void RunAllPosted();

    std::chrono::milliseconds mTickInterval;
    std::function<void()> mTick;
    UniqueFd mEpoll;
    UniqueFd mWake;
    uint64_t mNextToken = 1;
    std::unordered_map<uint64_t, Watched> mWatched;
    std::mutex mPostedMutex;
    std::vector<std::function<void()>> mPosted;
    bool mStopping = false;
    std::thread mThread;
};

}  // namespace ostrel::host
