#include "platform/capture/Guid.h"

namespace capture {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<Guid> ParseGuid(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    uint8_t bytes[16];  // in the order written
    int count = 0;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '-') {
            continue;
        }
        const int high = HexValue(text[i]);
        const int low = HexValue(text[++i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[count++] = static_cast<uint8_t>(high << 4 | low);
    }
    // Data1 (4 bytes), Data2 and Data3 (2 each) are stored little-endian; Data4 as written.
    return Guid{bytes[3],  bytes[2],  bytes[1],  bytes[0], bytes[5],  bytes[4],
                bytes[7],  bytes[6],  bytes[8],  bytes[9], bytes[10], bytes[11],
                bytes[12], bytes[13], bytes[14], bytes[15]};
}

}  // namespace capture
