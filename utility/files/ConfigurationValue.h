// The width-parameterised reader and updater behind the typed configuration operations, and the
// safe replacement of the whole file. The typed UTILITY_ operations in Configuration.h are what
// the program calls; this header serves them and the version test.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace utility {

enum class ConfigRead {
    kFound,       // the key's line was found and scanned; the value was delivered
    kNotFound,    // the file was read, and holds no readable line for the key
    kUnreadable,  // the file is missing or could not be opened or read
};

// Looks up `key` and scans at most `digits` (2, 4 or 8) hexadecimal digits of its value. The
// first line that contains "<key> : 0x" decides: it must scan as "<key> : 0x<digits>" from its
// first character (a blank of the pattern matches any run of white space), or the key is not
// found. Lines holding the begin marker and lines over the length limit are passed over; the
// end marker ends the search. Takes the configuration lock (shared).
ConfigRead ReadConfigValue(const std::wstring& path, std::string_view key, int digits,
                           uint32_t& value);

// Replaces every line before the end marker that contains "<key> : 0x" by that text followed
// by `value` in `digits` lower-case hexadecimal digits, trims every line, and rewrites the file
// through ReplaceConfigurationFile. Returns false, leaving the file byte for byte as it was,
// when the file cannot be read, no line was replaced, a line is over the length limit, the
// file has more lines than an update may hold, or the rewrite fails. Takes the configuration
// lock (exclusive) for the whole read-change-replace.
bool WriteConfigValue(const std::wstring& path, std::string_view key, int digits, uint32_t value);

// Replaces the file at `path` with what `write` writes to the handle it is given: a temporary
// file in the same folder, synced, then renamed over the old file, whose permission bits it
// keeps. false, with the old file untouched, when `write` returns false or any step fails.
// The caller holds the configuration lock (exclusive).
bool ReplaceConfigurationFile(const std::wstring& path, const std::function<bool(int)>& write);

}  // namespace utility
