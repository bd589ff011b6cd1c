// UTF-8, UTF-16 and 8-bit conversions written out by hand: the standard's codecvt facets are
// deprecated, and the rules for malformed input must be ours.
#include "platform/text/Text.h"

namespace text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || IsSurrogate(c)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence starting at bytes[index], advancing index past what it consumed.
char32_t DecodeUtf8(std::string_view bytes, std::size_t& index) {
    const auto lead = static_cast<unsigned char>(bytes[index++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < length; ++i) {
        if (index >= bytes.size() || (static_cast<unsigned char>(bytes[index]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = (c << 6) | (static_cast<unsigned char>(bytes[index++]) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || IsSurrogate(c)) {
        return kReplacement;
    }
    return c;
}

}  // namespace

std::string ToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        AppendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

std::wstring FromUtf8(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t index = 0; index < utf8.size();) {
        out.push_back(static_cast<wchar_t>(DecodeUtf8(utf8, index)));
    }
    return out;
}

std::u16string ToUtf16(std::wstring_view wide) {
    std::u16string out;
    out.reserve(wide.size());
    for (wchar_t w : wide) {
        auto c = static_cast<char32_t>(w);
        if (c > 0x10FFFF || IsSurrogate(c)) {
            c = kReplacement;
        }
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
        }
    }
    return out;
}

std::wstring FromUtf16(std::u16string_view utf16) {
    std::wstring out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (IsSurrogate(c)) {
            c = kReplacement;
        }
        out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

std::optional<std::string> ToLatin1(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) {
        if (static_cast<char32_t>(c) > 0xFF) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::wstring FromLatin1(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return out;
}

std::filesystem::path ToPath(std::wstring_view wide) {
    return std::filesystem::path(ToUtf8(wide));
}

std::wstring FromPath(const std::filesystem::path& path) {
    return FromUtf8(path.native());
}

}  // namespace text
