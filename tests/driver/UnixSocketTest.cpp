// The interface sockets as a client finds them: a socket path that exists already accepts a
// connection, so a client may connect the moment it sees the path.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "driver/host/UnixSocket.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;

TEST(UnixSocket, APathThatExistsAcceptsConnections) {
    testsupport::TestProgramFolder folder;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const auto path = folder.Path() / ("interface" + std::to_string(round));
        std::atomic<bool> connected = false;
        std::atomic<bool> returned = false;
        std::string connectError;
        // Spins until the path shows up, then connects at once, as ostrelctl does.
        std::thread client([&] {
            while (!std::filesystem::exists(path) && !returned) {
            }
            connected = host::ConnectTo(path, connectError).Valid();
        });
        std::string error;
        host::UniqueFd listener = host::ListenAt(path, 0600, error);
        returned = true;
        client.join();
        ASSERT_TRUE(listener.Valid()) << error;
        ASSERT_TRUE(connected) << connectError;
    }
}

}  // namespace
