// ostreld: hosts the driver. Binds the USB devices whose hardware identifiers are in the
// installed list (following hot-plug), or simulated devices, and publishes their interfaces as
// Unix-domain sockets under the runtime directory until SIGINT or SIGTERM.
//
//   ostreld [--runtime-dir DIR] [--hardware-ids FILE] [--parameter NAME=VALUE]...
//           [--simulate ordinary|eight-port|single-port]...
//
// Driver parameters: TraceLevel (2 error .. 5 verbose), TransferTimeoutMs, MessageWaitMs,
// ValueCommandWaitMs, BusPollDelayMs. Simulated devices are named sim0, sim1, ... and start with
// port 0 connected.
#include <fmt/format.h>
#include <signal.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "driver/DeviceIds.h"
#include "driver/host/CtlCommands.h"
#include "driver/host/DescriptorLimit.h"
#include "driver/host/DeviceHost.h"
#include "driver/host/HardwareIds.h"
#include "driver/host/OstrelClient.h"
#include "driver/host/RuntimeFolders.h"
#include "driver/host/SocketInterfaceHost.h"
#include "driver/host/UsbHotplug.h"
#include "driver/usb/LibusbDevice.h"
#include "driver/usb/SimulatedDevice.h"

namespace {

using namespace ostrel;

struct Options {
    std::filesystem::path RuntimeDirectory = client::kDefaultRuntimeDirectory;
    std::filesystem::path HardwareIds = OSTREL_HARDWARE_IDS_FILE;
    std::map<std::string, uint32_t> Parameters;
    std::vector<std::string> Simulated;
};

int Usage() {
    fmt::print(
        stderr,
        "usage: ostreld [--runtime-dir DIR] [--hardware-ids FILE] [--parameter NAME=VALUE]...\n"
        "               [--simulate ordinary|eight-port|single-port]...\n");
    return 2;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (i + 1 == arguments.size()) {
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (option == "--runtime-dir") {
            options.RuntimeDirectory = value;
        } else if (option == "--hardware-ids") {
            options.HardwareIds = value;
        } else if (option == "--simulate" &&
                   (value == "ordinary" || value == "eight-port" || value == "single-port")) {
            options.Simulated.push_back(value);
        } else if (option == "--parameter" && value.find('=') != std::string::npos) {
            auto number = ctl::ParseNumber(value.substr(value.find('=') + 1), UINT32_MAX);
            if (!number) {
                return std::nullopt;
            }
            options.Parameters[value.substr(0, value.find('='))] = static_cast<uint32_t>(*number);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

usb::SimulatedDeviceConfig SimulatedConfig(const std::string& kind) {
    usb::SimulatedDeviceConfig config;
    config.VendorId = MAKER_VENDOR_ID;
    config.ProductId = kind == "ordinary" ? 0x0110 : PROGRAMMER_PRODUCT_ID;
    config.Release = kind == "eight-port" ? EIGHT_PORT_RELEASE : 0x0100;
    return config;
}

int WaitForStopSignal(const sigset_t& signals) {
    int signal = 0;
    sigwait(&signals, &signal);
    return signal;
}

}  // namespace

int main(int argc, char** argv) {
    auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        return Usage();
    }
    // Every thread started from here on leaves the stop signals to the main thread.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    // Connections are limited to what the descriptors allow: allow what the system lets us.
    host::RaiseDescriptorLimit();
    std::string failure;
    if (!host::CreateFolders(options->RuntimeDirectory, host::kFolderMode, failure)) {
        fmt::print(stderr, "ostreld: cannot create the runtime directory: {}\n", failure);
        return 1;
    }
    host::SocketInterfaceHost interfaces(options->RuntimeDirectory);
    host::DeviceHost devices(interfaces, options->Parameters);
    if (!devices.DriverLoaded()) {
        fmt::print(stderr, "ostreld: the driver did not load\n");
        return 1;
    }

    std::vector<std::shared_ptr<usb::SimulatedDevice>> simulated;
    std::shared_ptr<usb::LibusbContext> libusb;
    std::unique_ptr<host::UsbHotplug> hotplug;
    if (!options->Simulated.empty()) {
        for (const std::string& kind : options->Simulated) {
            auto device = std::make_shared<usb::SimulatedDevice>(SimulatedConfig(kind));
            std::string name = fmt::format("sim{}", simulated.size());
            if (NT_SUCCESS(devices.Bind(name, device))) {
                device->SetConnectionMask(0x01);
            }
            simulated.push_back(device);
        }
    } else {
        std::ifstream list(options->HardwareIds);
        if (!list) {
            fmt::print(stderr, "ostreld: cannot read the hardware identifiers {}\n",
                       options->HardwareIds.native());
            return 1;
        }
        std::vector<std::string> invalid;
        auto ids = host::ReadHardwareIds(list, invalid);
        for (const std::string& line : invalid) {
            fmt::print(stderr, "ostreld: ignoring \"{}\" in {}\n", line,
                       options->HardwareIds.native());
        }
        libusb = usb::LibusbContext::Create();
        if (!libusb) {
            return 1;
        }
        hotplug = std::make_unique<host::UsbHotplug>(
            [&](const host::UsbDeviceInfo& info) {
                if (!host::MatchesAny(ids, info.VendorId, info.ProductId, info.Release)) {
                    return;
                }
                if (auto device = libusb->Open(info.Bus, info.Address)) {
                    devices.Bind(info.SysName, device);
                }
            },
            [&](const std::string& sysName) { devices.Unbind(sysName, true); });
        if (!hotplug->Start(failure)) {
            fmt::print(stderr, "ostreld: {}\n", failure);
            return 1;
        }
    }

    int signal = WaitForStopSignal(signals);
    fmt::print(stderr, "ostreld: stopping on signal {}\n", signal);
    if (hotplug) {
        hotplug->Stop();
    }
    for (const std::string& instance : devices.Instances()) {
        devices.Unbind(instance, false);
    }
    return 0;
}
