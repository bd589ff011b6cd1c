// Cutting titles, stems and folder names out of '/'-separated paths.
#include "utility/files/Files.h"

void UTILITY_GetFileTitle(const std::wstring& path, std::wstring& title) {
    const auto slash = path.rfind(L'/');
    const auto dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) {
        title.clear();
        return;
    }
    const auto start = slash == std::wstring::npos ? 0 : slash + 1;
    title = path.substr(start, dot - start);
}

void UTILITY_RemoveExtension(const std::wstring& name, std::wstring& stem) {
    const auto dot = name.rfind(L'.');
    stem = dot == std::wstring::npos ? std::wstring() : name.substr(0, dot);
}

void UTILITY_GetLastFolderName(const std::wstring& folder, std::wstring& name) {
    const auto end = folder.find_last_not_of(L'/');
    if (end == std::wstring::npos) {
        name.clear();
        return;
    }
    const auto slash = folder.rfind(L'/', end);
    const auto start = slash == std::wstring::npos ? 0 : slash + 1;
    name = folder.substr(start, end + 1 - start);
}
