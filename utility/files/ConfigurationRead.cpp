// Reading one key of the configuration file, at 8, 16 or 32 bits.
#include <fcntl.h>

#include <optional>

#include "platform/text/Text.h"
#include "utility/files/Configuration.h"
#include "utility/files/ConfigurationFileLock.h"
#include "utility/files/ConfigurationLines.h"
#include "utility/files/ConfigurationValue.h"

namespace utility {
namespace {

// White space as the "C" locale's formatted input knows it.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Scans `line` from its first character as formatted input would with the pattern
// "<search text>%0<digits>x": literal characters must match exactly, a blank matches any run of
// white space (also none), and the number skips leading white space and takes up to `digits`
// hexadecimal digits of either case. nullopt when the literal part does not match or no digit
// follows it.
std::optional<uint32_t> ScanValue(std::string_view line, std::string_view searchText, int digits) {
    std::size_t at = 0;
    const auto skipSpace = [&] {
        while (at < line.size() && IsSpace(line[at])) {
            ++at;
        }
    };
    for (char expected : searchText) {
        if (IsSpace(expected)) {
            skipSpace();
        } else if (at < line.size() && line[at] == expected) {
            ++at;
        } else {
            return std::nullopt;
        }
    }
    skipSpace();
    uint32_t value = 0;
    int count = 0;
    for (; count < digits && at < line.size() &&
           text::HexDigitValue(static_cast<unsigned char>(line[at])) >= 0;
         ++count, ++at) {
        value = (value << 4) |
                static_cast<uint32_t>(text::HexDigitValue(static_cast<unsigned char>(line[at])));
    }
    if (count == 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ConfigRead ReadConfigValue(const std::wstring& path, std::string_view key, int digits,
                           uint32_t& value) {
    ConfigurationFileLock lock(path, ConfigurationFileLock::Mode::kShared);
    UniqueFd file(::open(text::ToPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        return ConfigRead::kUnreadable;
    }
    const std::string searchText = SearchText(key);
    LineReader reader(file.Get());
    std::string line;
    bool overLong = false;
    for (;;) {
        switch (reader.Next(line, overLong)) {
            case LineReader::Result::kEnd:
                return ConfigRead::kNotFound;
            case LineReader::Result::kError:
                return ConfigRead::kUnreadable;
            case LineReader::Result::kLine:
                break;
        }
        if (overLong || line.find(kBeginMarker) != std::string::npos) {
            continue;
        }
        if (line.find(kEndMarker) != std::string::npos) {
            return ConfigRead::kNotFound;
        }
        if (line.find(searchText) != std::string::npos) {
            const auto scanned = ScanValue(line, searchText, digits);
            if (!scanned) {
                return ConfigRead::kNotFound;
            }
            value = *scanned;
            return ConfigRead::kFound;
        }
    }
}

}  // namespace utility

namespace {

template <typename Value>
bool ReadConfig(const std::wstring& path, const std::string& key, Value& value) {
    uint32_t scanned = 0;
    if (utility::ReadConfigValue(path, key, sizeof(Value) * 2, scanned) !=
        utility::ConfigRead::kFound) {
        return false;
    }
    value = static_cast<Value>(scanned);
    return true;
}

}  // namespace

bool UTILITY_ReadConfigByte(const std::wstring& path, const std::string& key, uint8_t& value) {
    return ReadConfig(path, key, value);
}

bool UTILITY_ReadConfigWord(const std::wstring& path, const std::string& key, uint16_t& value) {
    return ReadConfig(path, key, value);
}

bool UTILITY_ReadConfigDword(const std::wstring& path, const std::string& key, int32_t& value) {
    return ReadConfig(path, key, value);
}
