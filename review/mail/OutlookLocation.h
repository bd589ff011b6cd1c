// Where the mail client is recorded: the registry key and value that hold its folder, and the
// folder below the program folder where our own mail adapter, a program named OUTLOOK.EXE,
// is built (review/mail/adapter/CMakeLists.txt uses the same name).
#pragma once

namespace mail {

inline constexpr wchar_t kOutlookKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";
inline constexpr wchar_t kOutlookFolderValue[] = L"Path";
inline constexpr char kAdapterFolder[] = "mail";

}  // namespace mail
