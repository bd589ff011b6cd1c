// The camera window's worker threads without the window: key polling acts once per key, on its
// release; a removal during a check is checked again; ordered tasks run in order.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "camera/DeviceRemovalCheck.h"
#include "camera/KeyPoller.h"
#include "camera/KeyRelease.h"
#include "camera/SerialWorker.h"
#include "tests/camera/CameraTestSupport.h"

namespace {

TEST(KeyPollerTest, AHeldKeyActsOnceOnReleaseAndFailedReadsChangeNothing) {
    // nullopt: a failed read.
    std::deque<std::optional<uint32_t>> script = {
        1, 1, 1, std::nullopt, 1, 0, 0, 2, 2, std::nullopt, 0, 3, 3, 0};
    std::mutex mutex;
    std::vector<uint32_t> released;
    {
        KeyPoller poller(
            [&](uint32_t& value) {
                std::lock_guard lock(mutex);
                if (script.empty()) {
                    value = 0;
                    return true;
                }
                const std::optional<uint32_t> next = script.front();
                script.pop_front();
                value = next.value_or(0);
                return next.has_value();
            },
            [&](uint32_t key) {
                std::lock_guard lock(mutex);
                released.push_back(key);
            });
        EXPECT_TRUE(cameratest::WaitUntil([&] {
            std::lock_guard lock(mutex);
            return script.empty();
        }));
    }
    EXPECT_EQ(released, (std::vector<uint32_t>{KeyRelease::kKeyA, KeyRelease::kKeyB}));
}

TEST(DeviceRemovalCheckTest, ARemovalDuringACheckIsCheckedAgain) {
    for (const bool gone : {false, true}) {
        SCOPED_TRACE(gone);
        std::mutex mutex;
        std::condition_variable proceed;
        bool firstMayAnswer = false;
        int checks = 0;
        std::atomic<int> absent{0};
        {
            DeviceRemovalCheck check(
                [&] {
                    std::unique_lock lock(mutex);
                    if (++checks == 1) {
                        // The first check still sees the camera (it goes with the second event).
                        proceed.wait(lock, [&] { return firstMayAnswer; });
                        return true;
                    }
                    return !gone;
                },
                [&] { ++absent; });
            check.OnRemoval();
            EXPECT_TRUE(cameratest::WaitUntil([&] {
                std::lock_guard lock(mutex);
                return checks == 1;
            }));
            check.OnRemoval();  // arrives while the first check runs
            {
                std::lock_guard lock(mutex);
                firstMayAnswer = true;
            }
            proceed.notify_all();
            EXPECT_TRUE(cameratest::WaitUntil([&] {
                std::lock_guard lock(mutex);
                return checks == 2;
            }));
            if (gone) {
                EXPECT_TRUE(cameratest::WaitUntil([&] { return absent == 1; }));
            }
        }
        EXPECT_EQ(absent.load(), gone ? 1 : 0);
    }
}

TEST(SerialWorkerTest, TasksRunInOrderAndDestructionRunsTheRest) {
    std::vector<int> order;
    {
        SerialWorker worker;
        for (int i = 0; i < 50; ++i) {
            worker.Post([&order, i] { order.push_back(i); });
        }
        worker.Drain();
        EXPECT_EQ(order.size(), 50u);
        for (int i = 50; i < 100; ++i) {
            worker.Post([&order, i] { order.push_back(i); });
        }
    }
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(order[i], i);
    }
}

}  // namespace
