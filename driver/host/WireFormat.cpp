// Encoding and decoding of interface socket messages.
#include "driver/host/WireFormat.h"

namespace ostrel::wire {
namespace {

void Append32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

uint32_t Load32(std::span<const uint8_t> bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace

std::vector<uint8_t> EncodeRequest(uint32_t ioControlCode, std::span<const uint8_t> input,
                                   uint32_t outputLength) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kHeaderSize + input.size());
    Append32(bytes, ioControlCode);
    Append32(bytes, static_cast<uint32_t>(input.size()));
    Append32(bytes, outputLength);
    bytes.insert(bytes.end(), input.begin(), input.end());
    return bytes;
}

std::optional<RequestHeader> DecodeRequestHeader(std::span<const uint8_t, kHeaderSize> bytes) {
    RequestHeader header{Load32(bytes, 0), Load32(bytes, 4), Load32(bytes, 8)};
    if (header.InputLength > kMaximumLength || header.OutputLength > kMaximumLength) {
        return std::nullopt;
    }
    return header;
}

std::vector<uint8_t> EncodeResponse(NTSTATUS status, uint32_t information,
                                    std::span<const uint8_t> output) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kHeaderSize + output.size());
    Append32(bytes, static_cast<uint32_t>(status));
    Append32(bytes, information);
    Append32(bytes, static_cast<uint32_t>(output.size()));
    bytes.insert(bytes.end(), output.begin(), output.end());
    return bytes;
}

std::optional<ResponseHeader> DecodeResponseHeader(std::span<const uint8_t, kHeaderSize> bytes) {
    ResponseHeader header{static_cast<NTSTATUS>(Load32(bytes, 0)), Load32(bytes, 4),
                          Load32(bytes, 8)};
    if (header.OutputLength > kMaximumLength) {
        return std::nullopt;
    }
    return header;
}

}  // namespace ostrel::wire
