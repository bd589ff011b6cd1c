// The ordered worker thread.
#include "camera/SerialWorker.h"

SerialWorker::SerialWorker() : mThread([this](std::stop_token stop) { Run(stop); }) {}

SerialWorker::~SerialWorker() {
    Drain();
    mThread.request_stop();
    mThread.join();
}

void SerialWorker::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mMutex);
        mTasks.push_back(std::move(task));
    }
    mWake.notify_one();
}

void SerialWorker::Drain() {
    std::unique_lock lock(mMutex);
    mIdle.wait(lock, [this] { return mTasks.empty() && !mBusy; });
}

void SerialWorker::Run(const std::stop_token& stop) {
    std::unique_lock lock(mMutex);
    while (mWake.wait(lock, stop, [this] { return !mTasks.empty(); })) {
        std::function<void()> task = std::move(mTasks.front());
        mTasks.pop_front();
        mBusy = true;
        lock.unlock();
        task();
        lock.lock();
        mBusy = false;
        mIdle.notify_all();
    }
}
