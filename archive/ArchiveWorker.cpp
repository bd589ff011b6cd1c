// The sender's thread and its back-off.
#include "archive/ArchiveWorker.h"

#include <algorithm>

#include "archive/ArchiveLink.h"

ArchiveWorker::ArchiveWorker(ArchiveSettings settings, std::filesystem::path queueFolder,
                             std::filesystem::path mediaFolder, Timing timing,
                             PassObserver observer)
    : mSettings(std::move(settings)),
      mQueue(std::move(queueFolder)),
      mMediaFolder(std::move(mediaFolder)),
      mTiming(timing),
      mObserver(std::move(observer)),
      mThread(&ArchiveWorker::Run, this) {}

ArchiveWorker::~ArchiveWorker() {
    {
        std::lock_guard lock(mMutex);
        mStop = true;
    }
    mWakeUp.notify_all();
    mThread.join();
}

void ArchiveWorker::Wake() {
    {
        std::lock_guard lock(mMutex);
        mWoken = true;
    }
    mWakeUp.notify_all();
}

void ArchiveWorker::Run() {
    ArchiveLink link(mSettings);
    std::chrono::milliseconds retry = mTiming.firstRetry;
    while (true) {
        {
            std::lock_guard lock(mMutex);
            mWoken = false;
        }
        const SendPassResult result = SendPending(mQueue, link, mMediaFolder, mStop);
        if (mObserver) {
            mObserver(result);
        }
        std::chrono::milliseconds wait = mTiming.idlePoll;
        if (result.waiting > 0) {
            wait = retry;
            retry = std::min(retry * 2, mTiming.longestRetry);
        } else {
            retry = mTiming.firstRetry;
        }
        std::unique_lock lock(mMutex);
        mWakeUp.wait_for(lock, wait, [&] { return mStop || mWoken; });
        if (mStop) {
            return;
        }
    }
}
