// The messages on an interface socket, little-endian:
//   request:  code (32), input length (32), output length (32), then the input bytes
//   response: status (32), information (32), output length (32), then the output bytes
// Lengths above kMaximumLength are refused, so a peer cannot make the other side allocate
// without bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "driver/framework/Ntstatus.h"

namespace ostrel::wire {

inline constexpr size_t kHeaderSize = 12;
inline constexpr uint32_t kMaximumLength = 1u << 20;

struct RequestHeader {
    uint32_t IoControlCode;
    uint32_t InputLength;
    uint32_t OutputLength;
};

struct ResponseHeader {
    NTSTATUS Status;
    uint32_t Information;
    uint32_t OutputLength;
};

std::vector<uint8_t> EncodeRequest(uint32_t ioControlCode, std::span<const uint8_t> input,
                                   uint32_t outputLength);
std::optional<RequestHeader> DecodeRequestHeader(std::span<const uint8_t, kHeaderSize> bytes);
std::vector<uint8_t> EncodeResponse(NTSTATUS status, uint32_t information,
                                    std::span<const uint8_t> output);
std::optional<ResponseHeader> DecodeResponseHeader(std::span<const uint8_t, kHeaderSize> bytes);

}  // namespace ostrel::wire
