// The background sender: a thread that sends the queue whenever it is woken (new items) or its
// wait runs out. After a pass that left items waiting it tries again after a back-off that
// doubles from `firstRetry` up to `longestRetry`; after a clean pass it waits for a wake or
// `idlePoll` (items queued by another process).
//
//   ┌──────► pass ──── all sent ───► wait(idlePoll | Wake) ──┐
//   │          └────── some left ──► wait(back-off, doubled) ─┤
//   └─────────────────────────────────────────────────────────┘
//
// The worker owns its thread; the destructor stops it (after the item being sent, bounded by
// the link's time-outs) and joins it. Wake() may be called from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSender.h"
#include "archive/ArchiveSettings.h"

class ArchiveWorker {
  public:
    struct Timing {
        std::chrono::milliseconds firstRetry{2000};
        std::chrono::milliseconds longestRetry{std::chrono::minutes(5)};
        std::chrono::milliseconds idlePoll{std::chrono::minutes(1)};
    };
    // Told after every pass, on the worker's thread.
    using PassObserver = std::function<void(const SendPassResult&)>;

    ArchiveWorker(ArchiveSettings settings, std::filesystem::path queueFolder,
                  std::filesystem::path mediaFolder, Timing timing, PassObserver observer = {});
    ~ArchiveWorker();
    ArchiveWorker(const ArchiveWorker&) = delete;
    ArchiveWorker& operator=(const ArchiveWorker&) = delete;

    void Wake();
    const ArchiveSettings& Settings() const { return mSettings; }

  private:
    void Run();

    ArchiveSettings mSettings;
    ArchiveQueue mQueue;
    std::filesystem::path mMediaFolder;  // where the filed pictures lie
    Timing mTiming;
    PassObserver mObserver;
    std::mutex mMutex;
    std::condition_variable mWakeUp;
    bool mWoken = true;
    std::atomic<bool> mStop{false};
    std::thread mThread;
};
