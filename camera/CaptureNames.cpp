// Capture names that skip taken digits.
#include "camera/CaptureNames.h"

#include <filesystem>

#include "media/MediaLayout.h"
#include "platform/text/Text.h"

namespace {

bool EntryExists(const std::wstring& path) {
    std::error_code error;
    // A dangling link still holds the name.
    return std::filesystem::symlink_status(text::ToPath(path), error).type() !=
           std::filesystem::file_type::not_found;
}

bool Taken(const std::wstring& name, const CaptureNameFolders& folders) {
    for (const std::wstring& folder : folders.pictureFolders) {
        if (EntryExists(folder + name + media::kPictureExtension)) {
            return true;
        }
    }
    for (const std::wstring& folder : folders.clipFolders) {
        if (EntryExists(folder + name + media::kClipExtension)) {
            return true;
        }
    }
    return false;
}

std::wstring Name(CaptureKind kind, const std::tm& localTime, int digit, const std::wstring& tag) {
    return kind == CaptureKind::kStill ? media::StillName(localTime, digit, tag)
                                       : media::ClipName(localTime, digit, tag);
}

}  // namespace

std::wstring NextCaptureName(CaptureKind kind, const std::tm& localTime, int& counter,
                             const CaptureNameFolders& folders) {
    const int first = media::NextRunningDigit(counter);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int digit = attempt == 0 ? first : media::NextRunningDigit(counter);
        const std::wstring name = Name(kind, localTime, digit, folders.workstationTag);
        if (!Taken(name, folders)) {
            return name;
        }
    }
    counter = first;
    return Name(kind, localTime, first, folders.workstationTag);
}
