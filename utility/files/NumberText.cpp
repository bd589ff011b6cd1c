// Short decimal and hexadecimal texts to numbers, and 8-bit text to wide text.
#include <algorithm>

#include "platform/text/Text.h"
#include "utility/files/Files.h"

namespace {

// Texts longer than this convert to 0.
constexpr std::size_t kMaxDigits = 8;

}  // namespace

int32_t UTILITY_DecStringToInt(const std::wstring& text) {
    if (text.empty() || text.size() > kMaxDigits) {
        return 0;
    }
    int32_t value = 0;
    for (wchar_t c : text) {
        value = value * 10 + (c >= L'0' && c <= L'9' ? c - L'0' : 0);
    }
    return value;
}

int32_t UTILITY_HexStringToInt(const std::wstring& text) {
    if (text.size() > kMaxDigits) {
        return 0;
    }
    uint32_t value = 0;
    for (wchar_t c : text) {
        // A character that is no hex digit counts as 0 in its place.
        value = (value << 4) | static_cast<uint32_t>(std::max(text::HexDigitValue(c), 0));
    }
    return static_cast<int32_t>(value);
}

int32_t UTILITY_MultiByteToWide(std::wstring& wide, std::string_view text) {
    wide = text::FromLatin1(text.substr(0, text.find('\0')));
    return 0;
}
