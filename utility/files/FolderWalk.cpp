// Stepping to the next or previous capture of a folder.
#include "media/MediaLayout.h"
#include "utility/files/Files.h"

using utility::SortedFileNames;

void UTILITY_GetNextFileName(const std::wstring& folder, const std::wstring& current,
                             std::wstring& next) {
    next.clear();
    bool currentPassed = false;
    for (const auto& name : SortedFileNames(folder)) {
        if (currentPassed && media::CountsAsMedia(name)) {
            next = name;
            return;
        }
        currentPassed = currentPassed || name == current;
    }
}

void UTILITY_GetPrevFileName(const std::wstring& folder, const std::wstring& current,
                             std::wstring& previous) {
    previous.clear();
    for (const auto& name : SortedFileNames(folder)) {
        if (name == current) {
            return;
        }
        if (media::CountsAsMedia(name)) {
            previous = name;
        }
    }
}
