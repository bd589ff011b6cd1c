// Figures of the driver host, printed and not asserted: the round trip of a register read
// through the interface socket to the simulated device; the same with 2,000 idle connections
// held open against two devices (and with a flood of them from another user under the default
// limits); the cost of a 32-byte block write on an ordinary device (control transfers and time);
// and the memory of `ostreld --simulate` over a long run of requests.
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "DaemonProcess.h"
#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/host/DescriptorLimit.h"
#include "driver/host/DeviceHost.h"
#include "driver/host/OstrelClient.h"
#include "driver/host/SocketInterfaceHost.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;
using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

const std::vector<uint8_t> kReadRegister =
    drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});

void Report(const std::string& what, std::vector<double> samples) {
    if (samples.empty()) {
        std::printf("%s: no answer\n", what.c_str());
        return;
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%s: median %.1f us, p99 %.1f us, max %.1f us over %zu\n", what.c_str(),
                samples[samples.size() / 2], samples[samples.size() * 99 / 100], samples.back(),
                samples.size());
}

// Register reads on one connection kept open, in microseconds; stops at the first failure.
std::vector<double> RoundTrips(const std::filesystem::path& socket, int rounds) {
    std::vector<double> samples;
    std::string error;
    auto client = client::OstrelClient::Connect(socket, error);
    for (int i = 0; client && i < rounds; ++i) {
        auto started = Clock::now();
        auto reply = client->DeviceIoControl(IOCTL_READ_REGISTER, kReadRegister, 8, error);
        if (!reply || reply->Status != STATUS_SUCCESS) {
            break;
        }
        samples.push_back(Microseconds(Clock::now() - started));
    }
    return samples;
}

// Connect, one register read, close: what ostrelctl does, in microseconds.
std::vector<double> ConnectedRoundTrips(const std::filesystem::path& socket, int rounds) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        auto started = Clock::now();
        std::string error;
        auto client = client::OstrelClient::Connect(socket, error);
        auto reply = client ? client->DeviceIoControl(IOCTL_READ_REGISTER, kReadRegister, 8, error)
                            : std::nullopt;
        if (!reply || reply->Status != STATUS_SUCCESS) {
            break;
        }
        samples.push_back(Microseconds(Clock::now() - started));
    }
    return samples;
}

// Two ordinary devices, sim0 and sim1, published under a test folder.
struct TwoDevices {
    explicit TwoDevices(host::ConnectionLimits limits) : interfaces(folder.Path(), limits) {
        for (const char* name : {"sim0", "sim1"}) {
            EXPECT_EQ(devices.Bind(name, std::make_shared<usb::SimulatedDevice>(
                                             drivertest::OrdinaryDevice())),
                      STATUS_SUCCESS);
            sockets.push_back(
                client::InterfaceSocketPath(folder.Path(), name, DEVICE_INTERFACE_GUID));
        }
    }

    void ReportBoth(const char* condition) {
        for (size_t i = 0; i < sockets.size(); ++i) {
            std::string device = "sim" + std::to_string(i);
            Report(device + ", " + condition + ", kept connection", RoundTrips(sockets[i], 2000));
            Report(device + ", " + condition + ", new connection each",
                   ConnectedRoundTrips(sockets[i], 300));
        }
    }

    testsupport::TestProgramFolder folder;
    host::SocketInterfaceHost interfaces;
    host::DeviceHost devices{interfaces};
    std::vector<std::filesystem::path> sockets;
};

constexpr size_t kIdleConnections = 2000;

TEST(DriverBenchmark, ReadRegisterRoundTripThroughTheSocket) {
    testsupport::TestProgramFolder folder;
    host::SocketInterfaceHost interfaces(folder.Path());
    host::DeviceHost devices(interfaces);
    auto device = std::make_shared<usb::SimulatedDevice>(drivertest::OrdinaryDevice());
    ASSERT_EQ(devices.Bind("sim0", device), STATUS_SUCCESS);
    std::string error;
    auto client = client::OstrelClient::Connect(
        client::InterfaceSocketPath(folder.Path(), "sim0", DEVICE_INTERFACE_GUID), error);
    ASSERT_TRUE(client) << error;

    std::vector<uint8_t> request =
        drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});
    constexpr int kWarmUp = 200;
    constexpr int kRounds = 5000;
    std::vector<double> samples;
    samples.reserve(kRounds);
    for (int i = 0; i < kWarmUp + kRounds; ++i) {
        auto started = Clock::now();
        auto reply = client->DeviceIoControl(IOCTL_READ_REGISTER, request, 8, error);
        auto elapsed = Clock::now() - started;
        ASSERT_TRUE(reply && reply->Status == STATUS_SUCCESS);
        if (i >= kWarmUp) {
            samples.push_back(Microseconds(elapsed));
        }
    }
    std::sort(samples.begin(), samples.end());
    std::printf("IOCTL_READ_REGISTER round trip over %d requests: median %.1f us, p99 %.1f us\n",
                kRounds, samples[samples.size() / 2], samples[samples.size() * 99 / 100]);
}

// The limits raised so that all 2,000 idle connections are held: what the event loop costs.
TEST(DriverBenchmark, TwoThousandIdleConnectionsHeldOpen) {
    host::RaiseDescriptorLimit();
    host::ConnectionLimits limits;
    limits.PerClient = limits.Total = 2 * kIdleConnections;
    TwoDevices setup(limits);
    setup.ReportBoth("no idle connections");
    std::vector<host::UniqueFd> idle;
    for (size_t i = 0; i < kIdleConnections; ++i) {
        std::string error;
        idle.push_back(host::ConnectTo(setup.sockets[i % 2], error));
        ASSERT_TRUE(idle.back().Valid()) << error;
    }
    // Each listener accepts in order: once a later connection is answered, all are held.
    for (const auto& socket : setup.sockets) {
        ASSERT_EQ(RoundTrips(socket, 1).size(), 1u);
    }
    setup.ReportBoth("2000 idle connections held");
}

// The default limits, with another user opening 2,000 idle connections: most are refused, and
// the requests of this user are answered.
TEST(DriverBenchmark, IdleFloodFromAnotherUserUnderTheDefaultLimits) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "connecting as a second user needs root";
    }
    host::RaiseDescriptorLimit();
    TwoDevices setup({});
    chmod(setup.folder.Path().c_str(), 0755);  // the other user reaches the sockets by group
    int ready[2], counted[2], release[2];
    ASSERT_TRUE(pipe(ready) == 0 && pipe(counted) == 0 && pipe(release) == 0);
    pid_t flooder = fork();
    if (flooder == 0) {
        close(ready[0]);
        close(counted[0]);
        close(release[1]);
        std::vector<host::UniqueFd> held;
        if (setgroups(0, nullptr) == 0 && setuid(65534) == 0) {
            for (size_t i = 0; i < kIdleConnections; ++i) {
                std::string error;
                held.push_back(host::ConnectTo(setup.sockets[i % 2], error));
            }
        }
        size_t connected = held.size();
        [[maybe_unused]] ssize_t written = write(ready[1], &connected, sizeof connected);
        char go;
        [[maybe_unused]] ssize_t read = ::read(release[0], &go, 1);
        size_t open = std::count_if(held.begin(), held.end(), [](const host::UniqueFd& fd) {
            pollfd closed{fd.Get(), POLLIN, 0};
            return fd.Valid() && poll(&closed, 1, 0) == 0;
        });
        written = write(counted[1], &open, sizeof open);
        read = ::read(release[0], &go, 1);
        _exit(0);
    }
    close(ready[1]);
    close(counted[1]);
    close(release[0]);
    size_t connected = 0, open = 0;
    ASSERT_EQ(read(ready[0], &connected, sizeof connected), ssize_t(sizeof connected));
    for (const auto& socket : setup.sockets) {
        ASSERT_EQ(RoundTrips(socket, 1).size(), 1u);
    }
    setup.ReportBoth("another user's 2000 idle connections");
    char go = 1;
    ASSERT_EQ(write(release[1], &go, 1), 1);
    ASSERT_EQ(read(counted[0], &open, sizeof open), ssize_t(sizeof open));
    std::printf("the other user connected %zu times; %zu connections stayed open\n", connected,
                open);
    close(release[1]);
    waitpid(flooder, nullptr, 0);
    close(ready[0]);
    close(counted[0]);
}

TEST(DriverBenchmark, BlockWriteOnAnOrdinaryDevice) {
    drivertest::SimulatedBinding binding(drivertest::OrdinaryDevice());
    std::vector<uint8_t> block(32, 0x11);  // one programming step per byte
    binding.Device().ClearTransfers();
    auto started = Clock::now();
    auto result = binding.Ioctl(IOCTL_WRITE_BLOCK, block);
    auto elapsed = Clock::now() - started;
    ASSERT_EQ(result.Status, STATUS_SUCCESS);
    std::printf("32-byte block write (0x11 over 0x00): %zu control transfers, %.1f us\n",
                binding.Device().Transfers().size(), Microseconds(elapsed));
}

// The resident memory of a process, in KiB, from /proc.
long ResidentKiB(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// ostreld --simulate under a long run of logged requests (register writes and far-side writes):
// its memory levels off once the simulated device's logs are full.
TEST(DriverBenchmark, SimulatedDaemonMemoryOverALongRun) {
    testsupport::TestProgramFolder folder;
    pid_t daemon = drivertest::StartDaemon(
        {"--runtime-dir", folder.Path().string(), "--simulate", "ordinary"});
    auto socket = client::InterfaceSocketPath(folder.Path(), "sim0", DEVICE_INTERFACE_GUID);
    ASSERT_TRUE(drivertest::WaitForPath(socket, true));
    std::string error;
    auto client = client::OstrelClient::Connect(socket, error);
    ASSERT_TRUE(client) << error;
    auto registerWrite = drivertest::Concat({drivertest::Le32(0x9000), drivertest::Le32(1)});
    auto farWrite = drivertest::Concat({drivertest::Le16(0x4000), {0, 0}, {1}});
    constexpr int kRequests = 400000;
    auto started = Clock::now();
    for (int i = 0; i <= kRequests; ++i) {
        if (i % 50000 == 0) {
            std::printf("after %6d requests: ostreld resident %ld KiB\n", i, ResidentKiB(daemon));
        }
        bool far = i % 2 == 1;
        auto reply = client->DeviceIoControl(far ? IOCTL_VDM_WRITE_REGISTER : IOCTL_WRITE_REGISTER,
                                             far ? farWrite : registerWrite, 8, error);
        ASSERT_TRUE(reply && reply->Status == STATUS_SUCCESS) << error;
    }
    std::printf("%d requests in %.1f s\n", kRequests,
                std::chrono::duration<double>(Clock::now() - started).count());
    EXPECT_TRUE(drivertest::StopDaemon(daemon));
}

}  // namespace
