// Requests written and replies read directly on an interface socket, so a test controls when
// each is sent and sees exactly what comes back. Connecting and reading give up after a generous
// deadline instead of hanging on a daemon that does not answer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "driver/framework/Ntstatus.h"
#include "driver/host/UnixSocket.h"

namespace drivertest {

// Invalid when the connection cannot be made within the deadline.
ostrel::host::UniqueFd ConnectWithDeadline(const std::filesystem::path& path);
bool SendRequest(int socket, uint32_t ioControlCode, std::span<const uint8_t> input,
                 uint32_t outputLength);
// The status of the next reply; nullopt when the connection closed (or stayed silent past the
// deadline) without one.
std::optional<NTSTATUS> ReplyStatus(int socket);

}  // namespace drivertest
