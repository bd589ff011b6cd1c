// Where captures are sent: the key HKEY_LOCAL_MACHINE\SOFTWARE\Sorvanti\Archive of the
// program's registry file, string values
//
//   "Host"="pacs.example"   "Port"="104"   "CalledAE"="ARCHIVE"   "CallingAE"="SORVANTI"
//   "ResendChangedComments"="1"   (optional, default "0")
//
// Without a Host the feature is off. A port outside 1..65535, or an AE title that is empty,
// longer than 16 characters or not printable ASCII, also leaves it off, with the reason given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct ArchiveSettings {
    std::string host;
    uint16_t port = 104;
    std::string calledAe;
    std::string callingAe = "SORVANTI";
    bool resendChangedComments = false;
};

inline constexpr wchar_t kArchiveRegistryKey[] = L"SOFTWARE\\Sorvanti\\Archive";

// The settings, or nullopt when the feature is off; `problem` says why when the key is there
// but unusable (empty when it is simply absent).
std::optional<ArchiveSettings> ReadArchiveSettings(std::string& problem);
