// Reading string values from the registry file.
#include "platform/sys/Registry.h"

#include <cwctype>
#include <fstream>

#include "platform/fs/ProgramFolder.h"
#include "platform/text/Text.h"

namespace sys {
namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        if (c < 0x80) {
            c = static_cast<wchar_t>(std::towlower(c));
        }
    }
    return lower;
}

std::wstring RootName(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::kLocalMachine:
            return L"HKEY_LOCAL_MACHINE";
    }
    return {};
}

// Reads a quoted text starting at line[at] == '"'; `at` ends after the closing quote.
std::optional<std::wstring> ReadQuoted(std::wstring_view line, size_t& at) {
    std::wstring text;
    for (++at; at < line.size(); ++at) {
        const wchar_t c = line[at];
        if (c == L'"') {
            ++at;
            return text;
        }
        if (c == L'\\' && at + 1 < line.size()) {
            ++at;
        }
        text += line[at];
    }
    return std::nullopt;
}

// A value line: its name ("" for @) and its text; nullopt when the line is not one.
std::optional<std::pair<std::wstring, std::wstring>> ReadValueLine(std::wstring_view line) {
    size_t at = 0;
    std::wstring name;
    if (!line.empty() && line[0] == L'@') {
        at = 1;
    } else if (!line.empty() && line[0] == L'"') {
        std::optional<std::wstring> quoted = ReadQuoted(line, at);
        if (!quoted) {
            return std::nullopt;
        }
        name = *quoted;
    } else {
        return std::nullopt;
    }
    if (at >= line.size() || line[at] != L'=' || at + 1 >= line.size() || line[at + 1] != L'"') {
        return std::nullopt;
    }
    ++at;
    std::optional<std::wstring> value = ReadQuoted(line, at);
    if (!value) {
        return std::nullopt;
    }
    return std::pair{name, *value};
}

}  // namespace

std::filesystem::path RegistryFile() {
    return program::Folder() / "registry.reg";
}

std::optional<std::wstring> ReadRegistryString(RegistryRoot root, std::wstring_view keyPath,
                                               std::wstring_view valueName) {
    std::ifstream file(RegistryFile());
    if (!file) {
        return std::nullopt;
    }
    const std::wstring wantedKey = Lower(RootName(root) + L"\\" + std::wstring(keyPath));
    const std::wstring wantedValue = valueName == L"@" ? std::wstring() : Lower(valueName);
    bool inKey = false;
    std::optional<std::wstring> found;
    std::string raw;
    while (std::getline(file, raw)) {
        if (!raw.empty() && raw.back() == '\r') {
            raw.pop_back();
        }
        const std::wstring line = text::FromUtf8(raw);
        if (!line.empty() && line.front() == L'[') {
            inKey = line.back() == L']' && Lower(line.substr(1, line.size() - 2)) == wantedKey;
            continue;
        }
        if (!inKey) {
            continue;
        }
        if (auto value = ReadValueLine(line); value && Lower(value->first) == wantedValue) {
            found = value->second;
        }
    }
    return found;
}

}  // namespace sys
