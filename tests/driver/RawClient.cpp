// Raw interface-socket requests for the tests.
#include "RawClient.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <array>
#include <cstring>
#include <vector>

#include "driver/host/WireFormat.h"

namespace drivertest {

using ostrel::host::UniqueFd;

UniqueFd ConnectWithDeadline(const std::filesystem::path& path) {
    UniqueFd socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    timeval deadline{10, 0};
    setsockopt(socketFd.Get(), SOL_SOCKET, SO_SNDTIMEO, &deadline, sizeof deadline);
    setsockopt(socketFd.Get(), SOL_SOCKET, SO_RCVTIMEO, &deadline, sizeof deadline);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (connect(socketFd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return {};
    }
    return socketFd;
}

bool SendRequest(int socket, uint32_t ioControlCode, std::span<const uint8_t> input,
                 uint32_t outputLength) {
    return ostrel::host::WriteAll(socket,
                                  ostrel::wire::EncodeRequest(ioControlCode, input, outputLength));
}

std::optional<NTSTATUS> ReplyStatus(int socket) {
    std::array<uint8_t, ostrel::wire::kHeaderSize> header;
    if (!ostrel::host::ReadExactly(socket, header)) {
        return std::nullopt;
    }
    auto decoded = ostrel::wire::DecodeResponseHeader(header);
    std::vector<uint8_t> output(decoded ? decoded->OutputLength : 0);
    if (!decoded || !ostrel::host::ReadExactly(socket, output)) {
        return std::nullopt;
    }
    return decoded->Status;
}

}  // namespace drivertest
