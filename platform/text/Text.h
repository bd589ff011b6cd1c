// Conversions between the application's wide strings and the encodings at its boundaries:
// UTF-8 (file names, Qt, logs of tools), UTF-16 (ODBC SQLWCHAR) and the 8-bit "C" locale rule
// of the configuration file and the diagnostic log.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// UTF-8 <-> wide. Malformed UTF-8 sequences become U+FFFD; unpaired surrogates likewise.
std::string ToUtf8(std::wstring_view wide);
std::wstring FromUtf8(std::string_view utf8);

// UTF-16 <-> wide (wchar_t holds UTF-32 on Linux). Characters above U+FFFF become surrogate
// pairs and back.
std::u16string ToUtf16(std::wstring_view wide);
std::wstring FromUtf16(std::u16string_view utf16);

// The "C" locale 8-bit rule: every code point up to U+00FF is the byte of the same value; any
// code point above it makes the whole conversion fail (nullopt).
std::optional<std::string> ToLatin1(std::wstring_view wide);
// The reverse: every byte becomes the code point of the same value.
std::wstring FromLatin1(std::string_view bytes);

// The value of a hexadecimal digit, either case; -1 for any other character.
constexpr int HexDigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'a' && c <= U'f') {
        return static_cast<int>(c - U'a' + 10);
    }
    if (c >= U'A' && c <= U'F') {
        return static_cast<int>(c - U'A' + 10);
    }
    return -1;
}

// File-system paths are UTF-8 on Linux.
std::filesystem::path ToPath(std::wstring_view wide);
std::wstring FromPath(const std::filesystem::path& path);

}  // namespace text
