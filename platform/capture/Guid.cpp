#include "platform/capture/Guid.h"

#include "platform/text/Text.h"

namespace capture {
std::optional<Guid> ParseGuid(std::string_view written) {
    if (written.size() != 38 || written.front() != '{' || written.back() != '}' ||
        written[9] != '-' || written[14] != '-' || written[19] != '-' || written[24] != '-') {
        return std::nullopt;
    }
    uint8_t bytes[16];  // in the order written
    int count = 0;
    for (std::size_t i = 1; i + 1 < written.size(); ++i) {
        if (written[i] == '-') {
            continue;
        }
        const int high = text::HexDigitValue(static_cast<unsigned char>(written[i]));
        const int low = text::HexDigitValue(static_cast<unsigned char>(written[++i]));
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
