// One worker thread that runs posted tasks in the order they were posted: the camera window
// tells the camera its recording state through it, so that "recording" and "stopped" never
// arrive in the wrong order. The owner joins it: destruction runs every task still queued, then
// ends the thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SerialWorker {
  public:
    SerialWorker();
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues `task`; any thread.
    void Post(std::function<void()> task);
    // Returns once every task posted before the call has run.
    void Drain();

  private:
    void Run(const std::stop_token& stop);

    std::mutex mMutex;
    std::condition_variable_any mWake;
    std::condition_variable mIdle;
    std::deque<std::function<void()>> mTasks;
    bool mBusy = false;
    std::jthread mThread;  // last: started after, and joined before, the members it uses
};
