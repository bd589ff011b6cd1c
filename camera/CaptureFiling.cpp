// Filing Temp's captures one at a time.
#include "camera/CaptureFiling.h"

#include <unistd.h>

#include <filesystem>

#include "camera/CaptureFileCopy.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "records/DATABASECONTEXT.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Files.h"

namespace {

namespace fs = std::filesystem;

bool CreateFolder(const std::wstring& folder) {
    std::error_code error;
    fs::create_directories(text::ToPath(folder), error);
    return fs::is_directory(text::ToPath(folder), error);
}

bool Exists(const std::wstring& path) {
    std::error_code error;
    return fs::symlink_status(text::ToPath(path), error).type() != fs::file_type::not_found;
}

void DeleteFile(const std::wstring& path) {
    ::unlink(text::ToUtf8(path).c_str());
}

// Files a copy would create are written under hidden temporary names; a leftover one (from a
// crash) is never a capture.
bool IsCaptureFileName(const std::wstring& name) {
    return !name.empty() && name.front() != L'.';
}

// The photo row's name: the picture's file name without the trailing '.', 'b', 'm' and 'p'
// characters ("P1512311845071.bmp" gives "P1512311845071").
std::wstring RowName(const std::wstring& fileName) {
    const auto end = fileName.find_last_not_of(L".bmp");
    return end == std::wstring::npos ? std::wstring() : fileName.substr(0, end + 1);
}

}  // namespace

// The patient and its folders as the filing builds them ("%s/database/%s/images/" ...).
struct CaptureFiling::Targets {
    int32_t customerSerialNumber;
    std::wstring images;
    std::wstring thumbnails;
    std::wstring videos;
};

CaptureFiling::CaptureFiling(DATABASECONTEXT& recordStore, OperatorPrompts& prompts,
                             std::wstring programFolder)
    : mRecordStore(recordStore),
      mPrompts(prompts),
      mStringProgramFolder(std::move(programFolder)),
      mStringTempImagesFolder(media::TempImagesFolder(mStringProgramFolder)),
      mStringTempThumbnailFolder(media::TempThumbnailFolder(mStringProgramFolder)),
      mStringTempVideosFolder(media::TempVideosFolder(mStringProgramFolder)) {}

CaptureFiling::Result CaptureFiling::FileTemp(int32_t customerSerialNumber) {
    const std::wstring serialText = text::sprintf(L"%d", customerSerialNumber);
    const std::wstring images = media::CommitImagesFolder(mStringProgramFolder, serialText);
    const Targets targets{customerSerialNumber, images, images + L"thumbnail/",
                          media::CommitVideosFolder(mStringProgramFolder, serialText)};
    mDatabaseError = false;
    // A folder that cannot be made makes the copies into it fail, and their captures stay.
    CreateFolder(targets.thumbnails);
    CreateFolder(targets.videos);

    Result result;
    for (const std::wstring& name : utility::SortedFileNames(mStringTempImagesFolder)) {
        if (IsCaptureFileName(name)) {
            ++(FileCapture(name, targets) ? result.filed : result.kept);
        }
    }
    // Clips whose poster was never taken are filed on their own; a clip whose poster stayed in
    // Temp was counted with it.
    for (const std::wstring& name : utility::SortedFileNames(mStringTempVideosFolder)) {
        std::wstring title;
        UTILITY_GetFileTitle(name, title);
        if (IsCaptureFileName(name) &&
            !Exists(mStringTempImagesFolder + title + media::kPictureExtension)) {
            ++(FileClip(name, targets) ? result.filed : result.kept);
        }
    }
    return result;
}

bool CaptureFiling::FileCapture(const std::wstring& fileName, const Targets& targets) {
    std::wstring clip;
    if (media::BeginsAsVideo(fileName)) {
        std::wstring title;
        UTILITY_GetFileTitle(fileName, title);
        clip = title + media::kClipExtension;
        if (!Exists(mStringTempVideosFolder + clip)) {
            clip.clear();
        }
    }
    const std::wstring thumbnail = mStringTempThumbnailFolder + fileName;
    const bool hasThumbnail = Exists(thumbnail);
    // The clip and the picture first, the thumbnail last: the main window lists a capture by
    // its thumbnail, so nothing is listed before its picture is in place.
    const bool arrived =
        (clip.empty() || CopyCaptureFile(text::ToPath(mStringTempVideosFolder + clip),
                                         text::ToPath(targets.videos + clip))) &&
        CopyCaptureFile(text::ToPath(mStringTempImagesFolder + fileName),
                        text::ToPath(targets.images + fileName)) &&
        (!hasThumbnail ||
         CopyCaptureFile(text::ToPath(thumbnail), text::ToPath(targets.thumbnails + fileName)));
    if (!arrived) {
        return false;
    }
    InsertRow(targets.customerSerialNumber, fileName);
    if (!clip.empty()) {
        DeleteFile(mStringTempVideosFolder + clip);
    }
    DeleteFile(thumbnail);
    DeleteFile(mStringTempImagesFolder + fileName);
    return true;
}

bool CaptureFiling::FileClip(const std::wstring& fileName, const Targets& targets) {
    if (!CopyCaptureFile(text::ToPath(mStringTempVideosFolder + fileName),
                         text::ToPath(targets.videos + fileName))) {
        return false;
    }
    DeleteFile(mStringTempVideosFolder + fileName);
    return true;
}

void CaptureFiling::InsertRow(int32_t customerSerialNumber, const std::wstring& fileName) {
    if (mDatabaseError) {
        return;
    }
    PhotoRecord photo;
    photo.customerSerialNumber = customerSerialNumber;
    photo.name = RowName(fileName);
    if (mRecordStore.PhotoSelect(photo)) {
        return;
    }
    PhotoRecord row{0, customerSerialNumber, RowName(fileName), L"", L""};
    UTILITY_GetDateString(row.date);
    if (!mRecordStore.PhotoInsert(row)) {
        mDatabaseError = true;
        mPrompts.ShowMessage(L"Database Error!");
    }
}

bool CaptureFiling::TempHoldsCaptures() const {
    for (const std::wstring* folder : {&mStringTempImagesFolder, &mStringTempVideosFolder}) {
        for (const std::wstring& name : utility::SortedFileNames(*folder)) {
            if (IsCaptureFileName(name)) {
                return true;
            }
        }
    }
    return false;
}

void CaptureFiling::ResetTemp() const {
    UTILITY_DeleteFolder(mStringTempImagesFolder);
    UTILITY_DeleteFolder(mStringTempVideosFolder);
    CreateFolder(mStringTempThumbnailFolder);
    CreateFolder(mStringTempVideosFolder);
}
