// The client library of user-mode tools: connects to a device interface socket published by
// ostreld and sends buffered device-control requests, as DeviceIoControl does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "driver/framework/Guid.h"
#include "driver/framework/Ntstatus.h"
#include "driver/host/UnixSocket.h"

namespace ostrel::client {

inline constexpr char kDefaultRuntimeDirectory[] = "/run/ostrel";

struct Reply {
    NTSTATUS Status = STATUS_UNSUCCESSFUL;
    uint32_t Information = 0;
    std::vector<uint8_t> Output;  // on success, the bytes the driver returned
};

// Where the interface `interfaceGuid` of device `instance` is published.
std::filesystem::path InterfaceSocketPath(const std::filesystem::path& runtimeDirectory,
                                          const std::string& instance, const GUID& interfaceGuid);
// The device instances with a published main interface, sorted.
std::vector<std::string> ListDevices(const std::filesystem::path& runtimeDirectory);

class OstrelClient {
  public:
    // nullopt with `error` set when the socket cannot be reached.
    static std::optional<OstrelClient> Connect(const std::filesystem::path& socketPath,
                                               std::string& error);

    // One request. nullopt with `error` set when the connection fails.
    std::optional<Reply> DeviceIoControl(uint32_t ioControlCode, std::span<const uint8_t> input,
                                         uint32_t outputLength, std::string& error);

  private:
    explicit OstrelClient(host::UniqueFd socket) : mSocket(std::move(socket)) {}
    host::UniqueFd mSocket;
};

}  // namespace ostrel::client
