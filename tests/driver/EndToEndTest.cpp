// The daemon's pieces end to end: a simulated device bound to the driver, its interfaces
// published as sockets, and requests sent through the client library with ostrelctl's layouts.
#include <fmt/format.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>
#include <thread>

#include "DaemonProcess.h"
#include "RawClient.h"
#include "SimulatedBinding.h"
#include "driver/OstrelPublic.h"
#include "driver/Protocol.h"
#include "driver/host/CtlCommands.h"
#include "driver/host/DeviceHost.h"
#include "driver/host/OstrelClient.h"
#include "driver/host/SocketInterfaceHost.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using namespace ostrel;

// The permission bits in octal, "missing" when the path does not exist.
std::string ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? fmt::format("{:04o}", status.st_mode & 07777)
                                            : "missing";
}

class EndToEnd : public testing::Test {
  protected:
    testsupport::TestProgramFolder folder;
    host::SocketInterfaceHost interfaces{folder.Path()};
    host::DeviceHost devices{interfaces, drivertest::ShortTiming()};
    std::shared_ptr<usb::SimulatedDevice> device =
        std::make_shared<usb::SimulatedDevice>(drivertest::OrdinaryDevice());

    void SetUp() override { ASSERT_EQ(devices.Bind("sim0", device), STATUS_SUCCESS); }

    std::filesystem::path Socket(const GUID& guid) {
        return client::InterfaceSocketPath(folder.Path(), "sim0", guid);
    }

    // Aborts the test (instead of using a client that is not there) when the socket is not
    // reachable.
    client::OstrelClient Connect(const GUID& guid = DEVICE_INTERFACE_GUID) {
        std::string error;
        auto connected = client::OstrelClient::Connect(Socket(guid), error);
        if (!connected) {
            throw std::runtime_error("connect: " + error);
        }
        return std::move(*connected);
    }

    // Runs one ostrelctl command through the client and returns what ostrelctl would show.
    std::string Run(client::OstrelClient& client, std::string_view name,
                    std::vector<std::string> arguments) {
        const ctl::Command* command = ctl::FindCommand(name);
        if (command == nullptr) {
            ADD_FAILURE() << "no command " << name;
            return {};
        }
        auto request = command->Build(*command, arguments);
        if (!request) {
            ADD_FAILURE() << "no request for " << name;
            return {};
        }
        std::string error;
        auto reply = client.DeviceIoControl(command->IoControlCode, request->Input,
                                            request->OutputLength, error);
        if (!reply) {
            ADD_FAILURE() << name << ": " << error;
            return {};
        }
        EXPECT_EQ(reply->Status, STATUS_SUCCESS) << name;
        return command->Show(reply->Output);
    }
};

TEST_F(EndToEnd, EveryRequestCodeThroughTheSocket) {
    auto client = Connect();
    device->SetRegister(0x9000, 0x11223344);
    device->SetBusByte(0x50, 0x0010, 0x77);
    device->SetFarRegister(0x1234, 0x56);
    device->SetDword(0xCAFEBABE);
    device->SetByte(0x42);
    device->SetIndexedByte(7, 0x99);
    device->SetConnectionMask(0x04, false);

    EXPECT_EQ(Run(client, "read-register", {"0x9000"}), "0x11223344 (287454020)");
    Run(client, "write-register", {"0x9004", "0xA5A5"});
    EXPECT_EQ(device->Register(0x9004), 0xA5A5u);
    EXPECT_EQ(Run(client, "bus-read", {"0xA0", "0x10"}), "0x77 (119)");
    Run(client, "bus-write", {"0xA0", "0x11", "0x1234"});
    EXPECT_EQ(device->BusValue(0x50, 0x11), 0x1234u);
    EXPECT_EQ(Run(client, "control", {"0xC0", "0x40", "0", "7", "4"}), "bebafeca");
    Run(client, "control", {"0x40", "0x41", "0", "10", "3412"});
    EXPECT_EQ(device->LastWord(), 0x1234);
    Run(client, "write-block", {std::string(62, '0') + "81"});
    EXPECT_EQ(Run(client, "read-block", {}), std::string(62, '0') + "81");
    EXPECT_EQ(Run(client, "vdm-read", {"0x1234"}), "0x56 (86)");
    Run(client, "vdm-write", {"0x1235", "0x21"});
    EXPECT_EQ(device->FarRegister(0x1235), 0x21);
    Run(client, "select-port", {"2"});
    EXPECT_EQ(device->SelectedPort(), 2);
    EXPECT_EQ(Run(client, "get-connection-mask", {}), "0x04 (4)");
    EXPECT_EQ(Run(client, "port-connected", {}), "0x00000001 (1)");
    EXPECT_EQ(Run(client, "send-value", {"9"}), "0x01 (1)");
    EXPECT_EQ(device->LastValue(), 9u);
    EXPECT_EQ(Run(client, "read-dword", {}), "0xcafebabe (3405691582)");
    EXPECT_EQ(Run(client, "read-byte", {}), "0x42 (66)");
    Run(client, "trigger", {});
    EXPECT_EQ(device->Triggers(), 1u);
    Run(client, "write-word", {"0xBEEF"});
    EXPECT_EQ(device->LastWord(), 0xBEEF);
    EXPECT_EQ(Run(client, "read-indexed", {"7"}), "0x99 (153)");
    Run(client, "write-indexed", {"8", "0x66"});
    EXPECT_EQ(device->IndexedByte(8), 0x66);
    EXPECT_EQ(Run(client, "get-selected-port", {}), "0x02 (2)");
    EXPECT_EQ(ctl::Commands().size(), 20u) << "one command per request code";
}

TEST_F(EndToEnd, FailuresAndUnknownCodesComeBackAsStatuses) {
    auto client = Connect();
    std::string error;
    auto unknown = client.DeviceIoControl(0x20000850, std::vector<uint8_t>(4), 4, error);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->Status, STATUS_INVALID_DEVICE_REQUEST);
    auto shortBuffer =
        client.DeviceIoControl(IOCTL_READ_REGISTER, std::vector<uint8_t>(4), 64, error);
    ASSERT_TRUE(shortBuffer);
    EXPECT_EQ(shortBuffer->Status, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(shortBuffer->Information, 0u);
    EXPECT_TRUE(shortBuffer->Output.empty());
}

TEST_F(EndToEnd, ConnectionInterfaceExistsWhileAPortIsConnected) {
    EXPECT_FALSE(std::filesystem::exists(Socket(CONNECTION_INTERFACE_GUID)));
    device->SetConnectionMask(0x01);
    ASSERT_TRUE(drivertest::WaitForPath(Socket(CONNECTION_INTERFACE_GUID), true));
    auto connection = Connect(CONNECTION_INTERFACE_GUID);
    EXPECT_EQ(Run(connection, "read-byte", {}), "0x00 (0)");
    device->SetConnectionMask(0x00);
    EXPECT_TRUE(drivertest::WaitForPath(Socket(CONNECTION_INTERFACE_GUID), false));
    EXPECT_TRUE(std::filesystem::exists(Socket(DEVICE_INTERFACE_GUID)));
}

TEST_F(EndToEnd, UnplugClosesConnectionsAndRemovesTheSockets) {
    auto client = Connect();
    devices.Unbind("sim0", true);
    EXPECT_FALSE(std::filesystem::exists(Socket(DEVICE_INTERFACE_GUID)));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "sim0"));
    std::string error;
    EXPECT_FALSE(client.DeviceIoControl(IOCTL_READ_BYTE, std::vector<uint8_t>(1), 1, error));
}

// Orderly removals of sim0 while one request waits in the driver and a second one is queued
// behind it, with traffic on sim1 all along: every request sent before the removal gets its
// reply before the connection closes, and sim1 keeps answering.
TEST(SocketRemoval, AnswersEveryRequestItTookInBeforeClosing) {
    const std::vector<uint8_t> kReadRegister =
        drivertest::Concat({drivertest::Le32(0x8000), drivertest::Le32(0)});
    struct Case {
        const char* Name;
        usb::SimulatedDeviceConfig Config;
        std::function<void(usb::SimulatedDevice&)> Prepare;
        uint32_t IoControlCode;
        std::vector<uint8_t> Input;
        uint16_t SentFirst;  // the transfer that shows the request is in the driver
        NTSTATUS Expected;
    };
    const std::vector<Case> cases = {
        {"value command", drivertest::OrdinaryDevice(),
         [](usb::SimulatedDevice& device) { device.SetValueCommandAnswer(std::nullopt); },
         IOCTL_SEND_VALUE_AND_WAIT, std::vector<uint8_t>(5), VENDOR_COMMAND_SEND_VALUE,
         STATUS_NO_SUCH_DEVICE},
        {"bus poll",
         drivertest::OrdinaryDevice(),
         [](usb::SimulatedDevice& device) { device.SetBusCompletionPolls(std::nullopt); },
         IOCTL_BUS_READ_BYTE,
         {0xA0, 0x10, 0x00, 0x00},
         BUS_CONTROL_REGISTER,
         STATUS_NO_SUCH_DEVICE},
        {"eight-port block write", drivertest::EightPortProgrammer(),
         [](usb::SimulatedDevice& device) { device.SetMessageAnswer(std::nullopt); },
         IOCTL_WRITE_BLOCK, std::vector<uint8_t>(32, 0x11), VENDOR_COMMAND_BLOCK_WRITE,
         STATUS_NO_SUCH_DEVICE},
        {"ordinary block write", drivertest::OrdinaryDevice(), [](usb::SimulatedDevice&) {},
         IOCTL_WRITE_BLOCK, std::vector<uint8_t>(32, 0xFF), VENDOR_COMMAND_VDM, STATUS_SUCCESS},
    };
    testsupport::TestProgramFolder folder;
    host::SocketInterfaceHost interfaces(folder.Path());
    // Waits of about two seconds: long enough that only removal can end them here.
    host::DeviceHost devices(
        interfaces,
        {{"MessageWaitMs", 2000}, {"ValueCommandWaitMs", 2000}, {"BusPollDelayMs", 20}});
    ASSERT_EQ(
        devices.Bind("sim1", std::make_shared<usb::SimulatedDevice>(drivertest::OrdinaryDevice())),
        STATUS_SUCCESS);
    std::atomic<bool> stop = false;
    std::atomic<int> answered = 0, failed = 0;
    std::thread traffic([&] {
        std::string error;
        auto client = client::OstrelClient::Connect(
            client::InterfaceSocketPath(folder.Path(), "sim1", DEVICE_INTERFACE_GUID), error);
        while (client && !stop) {
            auto reply = client->DeviceIoControl(IOCTL_READ_REGISTER, kReadRegister, 8, error);
            ++(reply && reply->Status == STATUS_SUCCESS ? answered : failed);
        }
    });
    auto socket = [&](const char* instance) {
        return drivertest::ConnectWithDeadline(
            client::InterfaceSocketPath(folder.Path(), instance, DEVICE_INTERFACE_GUID));
    };
    for (const Case& c : cases) {
        for (int round = 0; round < 10; ++round) {
            SCOPED_TRACE(testing::Message() << c.Name << ", round " << round);
            auto device = std::make_shared<usb::SimulatedDevice>(c.Config);
            c.Prepare(*device);
            ASSERT_EQ(devices.Bind("sim0", device), STATUS_SUCCESS);
            host::UniqueFd waiting = socket("sim0");
            host::UniqueFd queued = socket("sim0");
            ASSERT_TRUE(
                drivertest::SendRequest(waiting.Get(), c.IoControlCode, c.Input, c.Input.size()));
            EXPECT_TRUE(drivertest::WaitForTransfer(*device, c.SentFirst));
            ASSERT_TRUE(
                drivertest::SendRequest(queued.Get(), IOCTL_READ_REGISTER, kReadRegister, 8));
            devices.Unbind("sim0", false);
            EXPECT_EQ(drivertest::ReplyStatus(waiting.Get()), c.Expected);
            auto queuedStatus = drivertest::ReplyStatus(queued.Get());
            EXPECT_TRUE(queuedStatus == STATUS_SUCCESS || queuedStatus == STATUS_NO_SUCH_DEVICE)
                << (queuedStatus ? fmt::format("{:#010x}", uint32_t(*queuedStatus)) : "no reply");
        }
    }
    stop = true;
    traffic.join();
    EXPECT_GT(answered, 0);
    EXPECT_EQ(failed, 0);
}

// The daemon and the CLI as a user runs them.
TEST(Programs, OstreldWithASimulatedDeviceIsDrivenByOstrelctl) {
    testsupport::TestProgramFolder folder;
    std::string runtime = folder.Path().string();
    pid_t daemon = drivertest::StartDaemon({"--runtime-dir", runtime, "--simulate", "eight-port"});
    bool published = drivertest::WaitForPath(
        client::InterfaceSocketPath(folder.Path(), "sim0", CONNECTION_INTERFACE_GUID), true);

    std::string output;
    if (FILE* ctl = popen(
            (std::string(OSTRELCTL_PATH) + " --runtime-dir " + runtime + " send-value 3").c_str(),
            "r")) {
        char line[256];
        while (fgets(line, sizeof line, ctl)) {
            output += line;
        }
        EXPECT_EQ(pclose(ctl), 0);
    }
    EXPECT_TRUE(drivertest::StopDaemon(daemon));
    EXPECT_TRUE(published);
    EXPECT_EQ(output, "0x01 (1)\n");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "sim0"));
}

// Whatever umask the daemon inherits, the folders it creates are 0750 and the sockets 0660.
TEST(Programs, OstreldSetsTheModesOfItsFoldersAndSocketsItself) {
    for (mode_t mask : {00, 022, 077}) {
        testsupport::TestProgramFolder folder;
        std::filesystem::path runtime = folder.Path() / "run" / "ostrel";
        pid_t daemon = drivertest::StartDaemon(
            {"--runtime-dir", runtime.string(), "--simulate", "ordinary"}, mask);
        std::filesystem::path socket =
            client::InterfaceSocketPath(runtime, "sim0", CONNECTION_INTERFACE_GUID);
        EXPECT_TRUE(drivertest::WaitForPath(socket, true)) << "umask " << mask;
        EXPECT_EQ(ModeOf(folder.Path() / "run"), "0750") << "umask " << mask;
        EXPECT_EQ(ModeOf(runtime), "0750") << "umask " << mask;
        EXPECT_EQ(ModeOf(runtime / "sim0"), "0750") << "umask " << mask;
        EXPECT_EQ(ModeOf(socket), "0660") << "umask " << mask;
        EXPECT_EQ(ModeOf(client::InterfaceSocketPath(runtime, "sim0", DEVICE_INTERFACE_GUID)),
                  "0660")
            << "umask " << mask;
        EXPECT_TRUE(drivertest::StopDaemon(daemon));
    }
}

}  // namespace
