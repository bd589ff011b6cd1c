// An interface's workers against the simulated device: one user's waiting requests cannot take
// every thread from another user.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>

#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"
#include "driver/host/RequestWorkers.h"
#include "driver/host/WireFormat.h"

namespace {

using namespace ostrel;

class Replies {
  public:
    void Add(uint64_t connection, const std::vector<uint8_t>& reply) {
        auto header = wire::DecodeResponseHeader(
            std::span<const uint8_t, wire::kHeaderSize>(reply.data(), wire::kHeaderSize));
        std::lock_guard lock(mMutex);
        mStatuses[connection] = header ? header->Status : STATUS_UNSUCCESSFUL;
        mChanged.notify_all();
    }
    // Waits (generously) for `count` replies; returns them by connection.
    std::map<uint64_t, NTSTATUS> WaitFor(size_t count) {
        std::unique_lock lock(mMutex);
        mChanged.wait_for(lock, std::chrono::seconds(60),
                          [&] { return mStatuses.size() >= count; });
        return mStatuses;
    }

  private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::map<uint64_t, NTSTATUS> mStatuses;
};

TEST(RequestWorkers, OneUsersWaitingRequestsLeaveThreadsForAnotherUser) {
    // The product's limits: an unanswered value command waits 10 s.
    drivertest::SimulatedBinding binding(drivertest::OrdinaryDevice(), {});
    binding.Device().SetValueCommandAnswer(std::nullopt);
    Replies replies;
    host::RequestWorkers workers(
        binding.FrameworkDevice(), 4, 2,
        [&](uint64_t connection, std::vector<uint8_t> reply) { replies.Add(connection, reply); });
    constexpr uid_t kFlooder = 1000, kOther = 1001;
    for (uint64_t connection = 1; connection <= 6; ++connection) {
        workers.Submit(connection, kFlooder,
                       {{IOCTL_SEND_VALUE_AND_WAIT, 5, 5}, std::vector<uint8_t>(5)});
    }
    // The first waits in the device; the threads have long been told of the others.
    ASSERT_TRUE(drivertest::WaitForTransfer(binding.Device(), VENDOR_COMMAND_SEND_VALUE));
    auto readRegister = drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});
    workers.Submit(100, kOther, {{IOCTL_READ_REGISTER, 8, 8}, readRegister});
    // Answered while every request of the other user still waits.
    EXPECT_EQ(replies.WaitFor(1), (std::map<uint64_t, NTSTATUS>{{100, STATUS_SUCCESS}}));

    binding.Device().SetValueCommandAnswer(3);
    binding.Device().Notify({3});
    auto all = replies.WaitFor(7);
    EXPECT_EQ(all.size(), 7u);
    for (const auto& [connection, status] : all) {
        EXPECT_EQ(status, STATUS_SUCCESS) << "connection " << connection;
    }
    workers.Stop();
}

}  // namespace
