// The connection server on its own: a reply handed over just before the server stops (as when
// ostreld stops on SIGTERM right after removing its devices) still reaches the client.
#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "RawClient.h"
#include "driver/host/ConnectionServer.h"
#include "driver/host/WireFormat.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;

TEST(ConnectionServer, StoppingStillSendsTheRepliesHandedOver) {
    testsupport::TestProgramFolder folder;
    auto path = folder.Path() / "interface";
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        auto server = std::make_unique<host::ConnectionServer>(host::ConnectionLimits{});
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
        std::promise<uint64_t> received;
        host::UniqueFd listener = host::ListenAt(path, 0600, error);
        ASSERT_TRUE(listener.Valid()) << error;
        ASSERT_NE(server->Listen(std::move(listener),
                                 [&received](uint64_t connection, uid_t, host::SocketRequest) {
                                     received.set_value(connection);
                                 }),
                  0u);
        host::UniqueFd client = drivertest::ConnectWithDeadline(path);
        ASSERT_TRUE(drivertest::SendRequest(client.Get(), 0x20000800, {}, 0));
        uint64_t connection = received.get_future().get();
        server->Reply(connection, wire::EncodeResponse(STATUS_SUCCESS, 0, {}));
        server.reset();
        EXPECT_EQ(drivertest::ReplyStatus(client.Get()), STATUS_SUCCESS);
    }
}

}  // namespace
