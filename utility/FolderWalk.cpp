// Stepping to the next or previous capture of a folder.
#include <algorithm>
#include <filesystem>
#include <vector>

#include "platform/text/Text.h"
#include "records/MediaLayout.h"
#include "utility/Files.h"

namespace {

wchar_t FoldCase(wchar_t c) {
    return c >= L'a' && c <= L'z' ? c - (L'a' - L'A') : c;
}

// Ascending without regard to ASCII case; names that differ only in case keep a fixed order.
bool NameBefore(const std::wstring& left, const std::wstring& right) {
    const auto folded = [](wchar_t a, wchar_t b) { return FoldCase(a) < FoldCase(b); };
    if (std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                     folded)) {
        return true;
    }
    if (std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end(),
                                     folded)) {
        return false;
    }
    return left < right;
}

// The names of the folder's entries that are not folders, sorted. Empty when the folder cannot
// be listed; the directory order itself is arbitrary, hence the sort.
std::vector<std::wstring> SortedFileNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(text::ToPath(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        std::error_code typeError;
        if (!entry->is_directory(typeError)) {
            names.push_back(text::FromPath(entry->path().filename()));
        }
    }
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

}  // namespace

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
