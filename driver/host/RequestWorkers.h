// The threads that present one interface's requests to its device; requests may wait in the
// driver for seconds, so they never run on the event loop. Clients (users) take turns and each
// has at most a few requests running, so however many requests one client queues, the others
// keep finding a thread. The owner stops the workers before the device
// goes: requests not yet started are answered with STATUS_NO_SUCH_DEVICE, running ones finish
// (removal has already ended their waits) and every thread is joined.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "driver/framework/WdfDevice.h"
#include "driver/host/Connection.h"

namespace ostrel::host {

class RequestWorkers {
  public:
    // Receives each request's encoded reply, on a worker's thread or the stopping thread.
    using ReplySink = std::function<void(uint64_t connection, std::vector<uint8_t> reply)>;

    RequestWorkers(WDFDEVICE device, size_t threads, size_t runningPerClient, ReplySink reply);
    ~RequestWorkers();
    RequestWorkers(const RequestWorkers&) = delete;
    RequestWorkers& operator=(const RequestWorkers&) = delete;

    // Queues the request of `connection`; never waits.
    void Submit(uint64_t connection, uid_t client, SocketRequest request);
    // Answers the queued requests with STATUS_NO_SUCH_DEVICE and joins the threads once the
    // running ones are done. Submitting afterwards answers at once with that status.
    void Stop();

  private:
    struct Queued {
        uint64_t Connection;
        SocketRequest Request;
    };

    void Work();
    // The next request of the first client in turn below its share; called with mMutex held.
    bool TakeNext(uid_t& client, Queued& next);

    WDFDEVICE mDevice;
    size_t mRunningPerClient;
    ReplySink mReply;
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::map<uid_t, std::deque<Queued>> mQueued;
    std::deque<uid_t> mTurns;  // the clients with queued requests, next first
    std::map<uid_t, size_t> mRunning;
    bool mStopping = false;
    std::vector<std::thread> mThreads;
};

}  // namespace ostrel::host
