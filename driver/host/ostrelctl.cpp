// ostrelctl: sends one device-control request to a device bound by ostreld and shows the reply.
//
//   ostrelctl [--runtime-dir DIR] [--device NAME] [--connection] COMMAND [ARGUMENTS]
//   ostrelctl [--runtime-dir DIR] list
//   ostrelctl [--runtime-dir DIR] [--device NAME] raw CODE HEXINPUT OUTPUTLENGTH
//
// Exit status: 0 success, 1 the driver failed the request, 2 usage, 3 no connection.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "driver/OstrelPublic.h"
#include "driver/host/CtlCommands.h"
#include "driver/host/OstrelClient.h"

namespace {

using namespace ostrel;

int Usage() {
    fmt::print(
        stderr,
        "usage: ostrelctl [--runtime-dir DIR] [--device NAME] [--connection] COMMAND [ARGUMENTS]\n"
        "       ostrelctl [--runtime-dir DIR] list\n"
        "commands:\n"
        "  raw CODE HEXINPUT OUTPUTLENGTH\n");
    for (const ctl::Command& command : ctl::Commands()) {
        fmt::print(stderr, "  {} {}\n", command.Name, command.Usage);
    }
    return 2;
}

int List(const std::filesystem::path& runtimeDirectory) {
    for (const std::string& device : client::ListDevices(runtimeDirectory)) {
        bool connected = std::filesystem::exists(
            client::InterfaceSocketPath(runtimeDirectory, device, CONNECTION_INTERFACE_GUID));
        fmt::print("{}{}\n", device, connected ? " connected" : "");
    }
    return 0;
}

std::optional<std::pair<uint32_t, ctl::Request>> RawRequest(
    std::span<const std::string> arguments) {
    if (arguments.size() != 3) {
        return std::nullopt;
    }
    auto code = ctl::ParseNumber(arguments[0], UINT32_MAX);
    auto input = arguments[1] == "-" ? std::optional<std::vector<uint8_t>>(std::vector<uint8_t>())
                                     : ctl::ParseHex(arguments[1]);
    auto outputLength = ctl::ParseNumber(arguments[2], UINT32_MAX);
    if (!code || !input || !outputLength) {
        return std::nullopt;
    }
    return std::pair{static_cast<uint32_t>(*code),
                     ctl::Request{*input, static_cast<uint32_t>(*outputLength)}};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::filesystem::path runtimeDirectory = client::kDefaultRuntimeDirectory;
    std::string device;
    GUID interfaceGuid = DEVICE_INTERFACE_GUID;
    size_t at = 0;
    for (; at < arguments.size() && arguments[at].starts_with("--"); ++at) {
        if (arguments[at] == "--runtime-dir" && at + 1 < arguments.size()) {
            runtimeDirectory = arguments[++at];
        } else if (arguments[at] == "--device" && at + 1 < arguments.size()) {
            device = arguments[++at];
        } else if (arguments[at] == "--connection") {
            interfaceGuid = CONNECTION_INTERFACE_GUID;
        } else {
            return Usage();
        }
    }
    if (at == arguments.size()) {
        return Usage();
    }
    std::string name = arguments[at];
    std::span<const std::string> rest(arguments.begin() + static_cast<ptrdiff_t>(at) + 1,
                                      arguments.end());
    if (name == "list") {
        return List(runtimeDirectory);
    }

    const ctl::Command* command = ctl::FindCommand(name);
    std::optional<std::pair<uint32_t, ctl::Request>> request;
    if (name == "raw") {
        request = RawRequest(rest);
    } else if (command) {
        if (auto built = command->Build(*command, rest)) {
            request = std::pair{command->IoControlCode, *built};
        }
    }
    if (!request) {
        return Usage();
    }

    if (device.empty()) {
        auto devices = client::ListDevices(runtimeDirectory);
        if (devices.size() != 1) {
            fmt::print(stderr, "ostrelctl: {} devices under {}; name one with --device\n",
                       devices.size(), runtimeDirectory.native());
            return 3;
        }
        device = devices.front();
    }
    std::string error;
    auto client = client::OstrelClient::Connect(
        client::InterfaceSocketPath(runtimeDirectory, device, interfaceGuid), error);
    if (!client) {
        fmt::print(stderr, "ostrelctl: {}\n", error);
        return 3;
    }
    auto reply = client->DeviceIoControl(request->first, request->second.Input,
                                         request->second.OutputLength, error);
    if (!reply) {
        fmt::print(stderr, "ostrelctl: {}\n", error);
        return 3;
    }
    if (!NT_SUCCESS(reply->Status)) {
        fmt::print(stderr, "ostrelctl: failed with status 0x{:08x}, information {}\n",
                   static_cast<uint32_t>(reply->Status), reply->Information);
        return 1;
    }
    std::string shown = command ? command->Show(reply->Output) : ctl::FormatHex(reply->Output);
    if (!shown.empty()) {
        fmt::print("{}\n", shown);
    }
    return 0;
}
