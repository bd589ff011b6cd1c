// Connections as a hostile client makes them: more than the limits allow, connections that send
// nothing, and a flood of idle connections from another user against a daemon short of
// descriptors. Everyone else's requests are still answered.
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "DaemonProcess.h"
#include "RawClient.h"
#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/host/DeviceHost.h"
#include "driver/host/OstrelClient.h"
#include "driver/host/SocketInterfaceHost.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;

const std::vector<uint8_t> kReadRegister =
    drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});

std::optional<NTSTATUS> ReadRegister(int socket) {
    if (!drivertest::SendRequest(socket, IOCTL_READ_REGISTER, kReadRegister, 8)) {
        return std::nullopt;
    }
    return drivertest::ReplyStatus(socket);
}

// Waits (generously) until the daemon has closed `socket`.
bool WaitForClose(int socket) {
    pollfd closed{socket, POLLIN, 0};
    if (poll(&closed, 1, 30000) != 1) {
        return false;
    }
    char byte;
    return recv(socket, &byte, 1, MSG_DONTWAIT) == 0;
}

// Connections past a limit are closed as soon as they are accepted; the admitted ones are
// served, closed once idle past the time-out, and then make room for new ones.
TEST(ConnectionLimits, ConnectionsBeyondALimitAreClosedAndIdleOnesTimeOut) {
    struct Case {
        const char* Name;
        size_t PerClient, Total;
    };
    for (const Case& c : {Case{"per user", 3, 10}, Case{"in all", 10, 3}}) {
        SCOPED_TRACE(c.Name);
        testsupport::TestProgramFolder folder;
        host::ConnectionLimits limits;
        limits.PerClient = c.PerClient;
        limits.Total = c.Total;
        limits.IdleTimeout = std::chrono::seconds(3);
        host::SocketInterfaceHost interfaces(folder.Path(), limits);
        host::DeviceHost devices(interfaces, drivertest::ShortTiming());
        ASSERT_EQ(devices.Bind(
                      "sim0", std::make_shared<usb::SimulatedDevice>(drivertest::OrdinaryDevice())),
                  STATUS_SUCCESS);
        auto path = client::InterfaceSocketPath(folder.Path(), "sim0", DEVICE_INTERFACE_GUID);

        // Each connection asks at once, so none of the admitted ones is idle before the last.
        std::vector<host::UniqueFd> connections;
        for (int i = 0; i < 5; ++i) {
            connections.push_back(drivertest::ConnectWithDeadline(path));
            ASSERT_TRUE(connections.back().Valid());
            auto status = ReadRegister(connections.back().Get());
            if (i < 3) {
                EXPECT_EQ(status, STATUS_SUCCESS) << "connection " << i;
            } else {
                EXPECT_EQ(status, std::nullopt) << "connection " << i;
            }
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(WaitForClose(connections[i].Get())) << "connection " << i;
        }
        host::UniqueFd later = drivertest::ConnectWithDeadline(path);
        EXPECT_EQ(ReadRegister(later.Get()), STATUS_SUCCESS);
    }
}

// Opens up to `count` connections to `paths` in turn. A connection the daemon does not take
// within a moment is given up; after a few of those in a row the daemon is saturated and the
// flood stops.
void Flood(const std::vector<std::filesystem::path>& paths, size_t count,
           std::vector<int>& sockets) {
    int missed = 0;
    for (size_t i = 0; i < count && missed < 5; ++i) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        timeval moment{0, 200000};
        setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &moment, sizeof moment);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, paths[i % paths.size()].c_str(),
                     sizeof address.sun_path - 1);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            sockets.push_back(fd);
            missed = 0;
        } else {
            close(fd);
            ++missed;
        }
    }
}

// Another user opens 600 connections that send nothing to a daemon that has 512 descriptors;
// requests to both devices are still answered.
TEST(ConnectionLimits, AFloodOfIdleConnectionsFromAnotherUserLeavesServiceToTheOthers) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "connecting as a second user needs root";
    }
    testsupport::TestProgramFolder folder;
    chmod(folder.Path().c_str(), 0755);  // the second user reaches the sockets through its group
    std::filesystem::path runtime = folder.Path() / "run";
    pid_t daemon = drivertest::StartDaemon(
        {"--runtime-dir", runtime.string(), "--simulate", "ordinary", "--simulate", "ordinary"},
        022, 512);
    std::vector<std::filesystem::path> sockets = {
        client::InterfaceSocketPath(runtime, "sim0", DEVICE_INTERFACE_GUID),
        client::InterfaceSocketPath(runtime, "sim1", DEVICE_INTERFACE_GUID)};
    ASSERT_TRUE(drivertest::WaitForPath(sockets[0], true) &&
                drivertest::WaitForPath(sockets[1], true));

    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t flooder = fork();
    if (flooder == 0) {
        // Another user of the daemon's group: nobody, with group root.
        close(ready[0]);
        close(release[1]);
        std::vector<int> held;
        if (setgroups(0, nullptr) == 0 && setuid(65534) == 0) {
            Flood(sockets, 600, held);
        }
        size_t opened = held.size();
        [[maybe_unused]] ssize_t written = write(ready[1], &opened, sizeof opened);
        char done;
        [[maybe_unused]] ssize_t read = ::read(release[0], &done, 1);
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    size_t opened = 0;
    ASSERT_EQ(read(ready[0], &opened, sizeof opened), static_cast<ssize_t>(sizeof opened));
    EXPECT_GT(opened, 0u);

    for (const auto& path : sockets) {
        host::UniqueFd connection = drivertest::ConnectWithDeadline(path);
        EXPECT_TRUE(connection.Valid()) << path;
        EXPECT_EQ(ReadRegister(connection.Get()), STATUS_SUCCESS) << path;
    }
    close(release[1]);
    waitpid(flooder, nullptr, 0);
    close(ready[0]);
    EXPECT_TRUE(drivertest::StopDaemon(daemon));
}

}  // namespace
