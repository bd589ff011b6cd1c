// The one listing and order of a folder's files, shared by the media list and the capture walk.
#include <algorithm>
#include <filesystem>

#include "platform/text/Text.h"
#include "utility/files/Files.h"

namespace utility {
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

}  // namespace

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
    // The directory's own order is arbitrary.
    std::sort(names.begin(), names.end(), NameBefore);
    return names;
}

}  // namespace utility
