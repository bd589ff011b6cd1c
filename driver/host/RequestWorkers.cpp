// Fair turns between clients, and the requests run through the I/O manager.
#include "driver/host/RequestWorkers.h"

#include "driver/framework/IoManager.h"
#include "driver/host/WireFormat.h"

namespace ostrel::host {

RequestWorkers::RequestWorkers(WDFDEVICE device, size_t threads, size_t runningPerClient,
                               ReplySink reply)
    : mDevice(device), mRunningPerClient(runningPerClient), mReply(std::move(reply)) {
    for (size_t i = 0; i < threads; ++i) {
        mThreads.emplace_back([this] { Work(); });
    }
}

RequestWorkers::~RequestWorkers() {
    Stop();
}

void RequestWorkers::Submit(uint64_t connection, uid_t client, SocketRequest request) {
    {
        std::lock_guard lock(mMutex);
        if (!mStopping) {
            std::deque<Queued>& queued = mQueued[client];
            if (queued.empty()) {
                mTurns.push_back(client);
            }
            queued.push_back(Queued{connection, std::move(request)});
            mChanged.notify_one();
            return;
        }
    }
    mReply(connection, wire::EncodeResponse(STATUS_NO_SUCH_DEVICE, 0, {}));
}

void RequestWorkers::Stop() {
    std::map<uid_t, std::deque<Queued>> refused;
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
        refused.swap(mQueued);
        mTurns.clear();
    }
    mChanged.notify_all();
    for (auto& [client, queued] : refused) {
        for (Queued& request : queued) {
            mReply(request.Connection, wire::EncodeResponse(STATUS_NO_SUCH_DEVICE, 0, {}));
        }
    }
    for (std::thread& thread : mThreads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
}

bool RequestWorkers::TakeNext(uid_t& client, Queued& next) {
    for (size_t turn = 0; turn < mTurns.size(); ++turn) {
        uid_t candidate = mTurns.front();
        mTurns.pop_front();
        auto running = mRunning.find(candidate);
        if (running != mRunning.end() && running->second >= mRunningPerClient) {
            mTurns.push_back(candidate);
            continue;
        }
        std::deque<Queued>& queued = mQueued[candidate];
        client = candidate;
        next = std::move(queued.front());
        queued.pop_front();
        if (queued.empty()) {
            mQueued.erase(candidate);
        } else {
            mTurns.push_back(candidate);
        }
        ++mRunning[candidate];
        return true;
    }
    return false;
}

void RequestWorkers::Work() {
    std::unique_lock lock(mMutex);
    for (;;) {
        uid_t client = 0;
        Queued next;
        while (!mStopping && !TakeNext(client, next)) {
            mChanged.wait(lock);
        }
        if (mStopping) {
            return;
        }
        lock.unlock();
        const wire::RequestHeader& header = next.Request.Header;
        io::DeviceIoControlResult result = io::DeviceIoControl(
            mDevice, header.IoControlCode, next.Request.Input, header.OutputLength);
        mReply(next.Connection,
               wire::EncodeResponse(result.Status, static_cast<uint32_t>(result.Information),
                                    result.Output));
        lock.lock();
        if (--mRunning[client] == 0) {
            mRunning.erase(client);
        }
        // The client's next request may now run.
        mChanged.notify_all();
    }
}

}  // namespace ostrel::host
