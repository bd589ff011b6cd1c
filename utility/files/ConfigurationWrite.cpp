// Updating one key of the configuration file, at 8, 16 or 32 bits, and the safe replacement of
// the whole file.
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "utility/files/Configuration.h"
#include "utility/files/ConfigurationFileLock.h"
#include "utility/files/ConfigurationLines.h"
#include "utility/files/ConfigurationValue.h"
#include "utility/files/TempFile.h"

namespace utility {
namespace {

// The entry line an update writes: the search text and the value in fixed-width lower-case hex.
std::string EntryLine(const std::string& searchText, int digits, uint32_t value) {
    switch (digits) {
        case 2:
            return text::sprintf("%s%02x", searchText, value);
        case 4:
            return text::sprintf("%s%04x", searchText, value);
        default:
            return text::sprintf("%s%08x", searchText, value);
    }
}

}  // namespace

bool WriteConfigValue(const std::wstring& path, std::string_view key, int digits, uint32_t value) {
    ConfigurationFileLock lock(path, ConfigurationFileLock::Mode::kExclusive);
    UniqueFd file(::open(text::ToPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        return false;
    }
    const std::string searchText = SearchText(key);
    const std::string entry = EntryLine(searchText, digits, value);
    std::string content;
    std::size_t lineCount = 0;
    bool endSeen = false;
    bool replaced = false;
    LineReader reader(file.Get());
    std::string line;
    bool overLong = false;
    for (;;) {
        const auto result = reader.Next(line, overLong);
        if (result == LineReader::Result::kEnd) {
            break;
        }
        if (result == LineReader::Result::kError || overLong || ++lineCount > kMaxLines) {
            return false;
        }
        // A line holding the end marker is never replaced, even if it also holds the key.
        endSeen = endSeen || line.find(kEndMarker) != std::string::npos;
        std::string_view kept = line;
        if (!endSeen && line.find(searchText) != std::string::npos) {
            kept = entry;
            replaced = true;
        }
        content += TrimmedView(kept);
        content += "\r\n";
    }
    if (!replaced) {
        return false;
    }
    file.Reset();
    return ReplaceConfigurationFile(path, [&](int out) { return WriteAll(out, content); });
}

bool ReplaceConfigurationFile(const std::wstring& path, const std::function<bool(int)>& write) {
    const std::filesystem::path target = text::ToPath(path);
    TempFile replacement(target);
    if (!replacement.Valid()) {
        return false;
    }
    struct stat old;
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(replacement.Handle(), old.st_mode & 07777);
    }
    return write(replacement.Handle()) && replacement.Commit(TempFile::Placement::kReplace);
}

}  // namespace utility

namespace {

template <typename Value>
bool WriteConfig(const std::wstring& path, const std::string& key, Value value) {
    using Unsigned = std::make_unsigned_t<Value>;
    return utility::WriteConfigValue(path, key, sizeof(Value) * 2, static_cast<Unsigned>(value));
}

}  // namespace

bool UTILITY_WriteConfigByte(const std::wstring& path, const std::string& key, uint8_t value) {
    return WriteConfig(path, key, value);
}

bool UTILITY_WriteConfigWord(const std::wstring& path, const std::string& key, uint16_t value) {
    return WriteConfig(path, key, value);
}

bool UTILITY_WriteConfigDword(const std::wstring& path, const std::string& key, int32_t value) {
    return WriteConfig(path, key, value);
}
