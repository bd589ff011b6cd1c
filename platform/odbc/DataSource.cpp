#include "platform/odbc/DataSource.h"

#include <odbcinst.h>

#include <cstdio>
#include <cwctype>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/odbc/DataSourceIniMutex.h"
#include "platform/text/Text.h"

namespace odbc {
namespace {

constexpr char kUserIniFile[] = "odbc.ini";

// The SQLite3 driver's own settings for every data source of the program.
constexpr std::pair<const char*, const char*> kEngineSettings[] = {
    {"JournalMode", "WAL"},  // readers and a writer of two programs do not block each other
    {"SyncPragma", "FULL"},  // a reported write is on disk
    {"Timeout", "10000"},    // wait up to 10 s for the other program's write to finish
    {"NoCreat", "1"},        // a missing database file is an error, never a new empty file
    {"StepAPI", "0"},        // a read copies its rows into the driver's memory when it
                             // starts, which takes less time per row than stepping through
                             // them as they are fetched; the program keeps the freed heap of
                             // one result for the next (sys::KeepFreedHeapForReuse)
};

std::wstring Upper(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    return upper;
}

// "KEY=value\0KEY=value\0\0" -> {KEY: value}, keys upper-cased.
std::map<std::wstring, std::wstring> ParseAttributes(const std::wstring& attributes) {
    std::map<std::wstring, std::wstring> entries;
    std::size_t start = 0;
    while (start < attributes.size() && attributes[start] != L'\0') {
        std::size_t end = attributes.find(L'\0', start);
        if (end == std::wstring::npos) {
            end = attributes.size();
        }
        std::wstring_view entry(attributes.data() + start, end - start);
        std::size_t equals = entry.find(L'=');
        if (equals != std::wstring_view::npos) {
            entries[Upper(entry.substr(0, equals))] = std::wstring(entry.substr(equals + 1));
        }
        start = end + 1;
    }
    return entries;
}

void ReportInstallerError(const char* call) {
    DWORD code = 0;
    char message[SQL_MAX_MESSAGE_LENGTH] = {};
    WORD length = 0;
    if (SQLInstallerError(1, &code, message, sizeof(message), &length) == SQL_SUCCESS) {
        std::fprintf(stderr, "%s failed: %s\n", call, message);
    } else {
        std::fprintf(stderr, "%s failed\n", call);
    }
}

// Writes one entry of the data source's section, only when it differs from what is stored:
// registration runs at every start, and another running program may be reading the file to
// connect at that moment.
bool WriteEntry(const std::string& dataSource, const char* key, const std::string& value) {
    std::vector<char> stored(value.size() + 2);
    const int length = SQLGetPrivateProfileString(dataSource.c_str(), key, "", stored.data(),
                                                  static_cast<int>(stored.size()), kUserIniFile);
    if (length >= 0 && std::string_view(stored.data()) == value) {
        return true;
    }
    if (!SQLWritePrivateProfileString(dataSource.c_str(), key, value.c_str(), kUserIniFile)) {
        ReportInstallerError("SQLWritePrivateProfileString");
        return false;
    }
    return true;
}

// Restores the installer's configuration mode when the registration ends.
class UserDataSourceMode {
  public:
    UserDataSourceMode() { SQLSetConfigMode(ODBC_USER_DSN); }
    ~UserDataSourceMode() { SQLSetConfigMode(ODBC_BOTH_DSN); }
};

}  // namespace

bool ConfigDataSource(uint16_t request, const std::wstring& driver,
                      const std::wstring& attributes) {
    if (request != kAddDataSource) {
        return false;
    }
    auto entries = ParseAttributes(attributes);
    auto name = entries.find(L"DSN");
    if (name == entries.end() || name->second.empty()) {
        return false;
    }
    const std::string dataSource = text::ToUtf8(name->second);
    // The configuration mode and the ini cache are process-wide: a connection looking up a data
    // source waits until the registration is done.
    std::lock_guard configurationLock(detail::DataSourceIniMutex());
    UserDataSourceMode mode;
    // Entries are written one by one rather than by replacing the section, so a program
    // connecting meanwhile never finds the section without its database path.
    if (!WriteEntry(dataSource, "Driver", text::ToUtf8(driver))) {
        return false;
    }
    if (auto path = entries.find(L"DBQ"); path != entries.end()) {
        if (!WriteEntry(dataSource, "Database", text::ToUtf8(path->second))) {
            return false;
        }
    }
    for (const auto& [key, value] : kEngineSettings) {
        if (!WriteEntry(dataSource, key, value)) {
            return false;
        }
    }
    return true;
}

}  // namespace odbc
