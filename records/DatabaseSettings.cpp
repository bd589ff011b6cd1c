// Reads the record store's database settings from the registry.
#include "records/DatabaseSettings.h"

#include <unistd.h>

#include "media/MediaLayout.h"
#include "platform/sys/Registry.h"
#include "platform/text/Text.h"

namespace {

constexpr wchar_t kDatabaseKey[] = L"SOFTWARE\\Sorvanti\\Database";

std::wstring ReadValue(const wchar_t* name) {
    return sys::ReadRegistryString(sys::RegistryRoot::kLocalMachine, kDatabaseKey, name)
        .value_or(L"");
}

std::wstring HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof(name) - 1) != 0) {
        return L"";
    }
    return text::FromUtf8(name);
}

}  // namespace

DatabaseSettings ReadDatabaseSettings() {
    DatabaseSettings settings;
    settings.dataSource = ReadValue(L"DataSource");
    settings.dataFolder = ReadValue(L"DataFolder");
    settings.workstation = ReadValue(L"Workstation");
    settings.samplePatients = ReadValue(L"SamplePatients") == L"1";
    return settings;
}

std::wstring MediaFolder(const DatabaseSettings& settings, const std::wstring& programFolder) {
    std::wstring folder = settings.dataFolder;
    while (folder.size() > 1 && folder.back() == L'/') {
        folder.pop_back();
    }
    if (folder.empty()) {
        return programFolder;
    }
    return folder.front() == L'/' ? folder : programFolder + L"/" + folder;
}

std::wstring CaptureNameTag(const DatabaseSettings& settings) {
    if (settings.dataFolder.empty()) {
        return L"";
    }
    return media::WorkstationTag(settings.workstation.empty() ? HostName() : settings.workstation);
}
