// Requests over an interface socket.
#include "driver/host/OstrelClient.h"

#include <algorithm>
#include <array>

#include "driver/OstrelPublic.h"
#include "driver/host/WireFormat.h"

namespace ostrel::client {

std::filesystem::path InterfaceSocketPath(const std::filesystem::path& runtimeDirectory,
                                          const std::string& instance, const GUID& interfaceGuid) {
    return runtimeDirectory / instance / std::filesystem::path(GuidToString(interfaceGuid));
}

std::vector<std::string> ListDevices(const std::filesystem::path& runtimeDirectory) {
    std::vector<std::string> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(runtimeDirectory, error)) {
        std::string instance = entry.path().filename().string();
        if (std::filesystem::exists(
                InterfaceSocketPath(runtimeDirectory, instance, DEVICE_INTERFACE_GUID), error)) {
            devices.push_back(instance);
        }
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}

std::optional<OstrelClient> OstrelClient::Connect(const std::filesystem::path& socketPath,
                                                  std::string& error) {
    host::UniqueFd socket = host::ConnectTo(socketPath, error);
    if (!socket.Valid()) {
        return std::nullopt;
    }
    return OstrelClient(std::move(socket));
}

std::optional<Reply> OstrelClient::DeviceIoControl(uint32_t ioControlCode,
                                                   std::span<const uint8_t> input,
                                                   uint32_t outputLength, std::string& error) {
    if (input.size() > wire::kMaximumLength || outputLength > wire::kMaximumLength) {
        error = "request larger than the interface accepts";
        return std::nullopt;
    }
    if (!host::WriteAll(mSocket.Get(), wire::EncodeRequest(ioControlCode, input, outputLength))) {
        error = "the driver closed the connection";
        return std::nullopt;
    }
    std::array<uint8_t, wire::kHeaderSize> headerBytes;
    std::optional<wire::ResponseHeader> header;
    if (host::ReadExactly(mSocket.Get(), headerBytes)) {
        header = wire::DecodeResponseHeader(headerBytes);
    }
    if (!header) {
        error = "no valid reply from the driver";
        return std::nullopt;
    }
    Reply reply{header->Status, header->Information, std::vector<uint8_t>(header->OutputLength)};
    if (!host::ReadExactly(mSocket.Get(), reply.Output)) {
        error = "the reply was cut short";
        return std::nullopt;
    }
    return reply;
}

}  // namespace ostrel::client
