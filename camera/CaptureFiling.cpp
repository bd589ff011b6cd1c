// Filing Temp's captures one at a time.
#include "camera/CaptureFiling.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "camera/CaptureFileCopy.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "records/DATABASECONTEXT.h"
#include "records/DatabaseSettings.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Files.h"

namespace {

namespace fs = std::filesystem;

bool CreateFolder(const std::wstring& folder) {
    std::error_code error;
    fs::create_directories(text::ToPath(folder), error);
    return fs::is_directory(text::ToPath(folder), error);
}

bool IsFolder(const std::wstring& path) {
    std::error_code error;
    return fs::is_directory(text::ToPath(path), error);
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
      mStringMediaFolder(MediaFolder(ReadDatabaseSettings(), mStringProgramFolder)),
      mStringTempImagesFolder(media::TempImagesFolder(mStringProgramFolder)),
      mStringTempThumbnailFolder(media::TempThumbnailFolder(mStringProgramFolder)),
      mStringTempVideosFolder(media::TempVideosFolder(mStringProgramFolder)) {}

// The files of one capture in Temp and the numbers of their staged copies.
struct CaptureFiling::Capture {
    std::wstring picture;  // empty for a clip without a poster
    std::vector<std::wstring> files;
    std::vector<int> copies;
};

CaptureFiling::Result CaptureFiling::FileTemp(int32_t customerSerialNumber) {
    const std::wstring serialText = text::sprintf(L"%d", customerSerialNumber);
    const std::wstring images = media::CommitImagesFolder(mStringMediaFolder, serialText);
    const Targets targets{customerSerialNumber, images, images + L"thumbnail/",
                          media::CommitVideosFolder(mStringMediaFolder, serialText)};
    // A folder that cannot be made makes the copies into it fail, and their captures stay.
    if (IsFolder(mStringMediaFolder)) {
        CreateFolder(targets.thumbnails);
        CreateFolder(targets.videos);
    }

    CaptureCopyBatch batch;
    std::vector<Capture> captures;
    for (const std::wstring& name : utility::SortedFileNames(mStringTempImagesFolder)) {
        if (!IsCaptureFileName(name)) {
            continue;
        }
        std::wstring clip;
        if (media::BeginsAsVideo(name)) {
            std::wstring title;
            UTILITY_GetFileTitle(name, title);
            clip = title + media::kClipExtension;
        }
        captures.push_back(Stage(name, clip, targets, batch));
    }
    // Clips whose poster was never taken are filed on their own; a clip whose poster is in Temp
    // goes with it.
    for (const std::wstring& name : utility::SortedFileNames(mStringTempVideosFolder)) {
        std::wstring title;
        UTILITY_GetFileTitle(name, title);
        if (IsCaptureFileName(name) &&
            !Exists(mStringTempImagesFolder + title + media::kPictureExtension)) {
            captures.push_back(Stage(L"", name, targets, batch));
        }
    }
    const int record = StageRecord(customerSerialNumber, captures, batch);
    batch.Commit();

    Result result;
    std::vector<const Capture*> arrived;
    for (const Capture& capture : captures) {
        if (std::all_of(capture.copies.begin(), capture.copies.end(),
                        [&batch](int copy) { return batch.Arrived(copy); })) {
            arrived.push_back(&capture);
        } else {
            ++result.kept;
        }
    }
    InsertRows(customerSerialNumber, arrived);
    std::vector<std::wstring> filedTitles;
    for (const Capture* capture : arrived) {
        if (!capture->picture.empty()) {
            filedTitles.push_back(RowName(capture->picture));
        }
        for (const std::wstring& file : capture->files) {
            DeleteFile(file);
        }
        ++result.filed;
    }
    if (mObserver != nullptr && !filedTitles.empty()) {
        mObserver->CapturesFiled(customerSerialNumber, filedTitles, batch.Arrived(record));
    }
    return result;
}

int CaptureFiling::StageRecord(int32_t customerSerialNumber, const std::vector<Capture>& captures,
                               CaptureCopyBatch& batch) const {
    std::vector<std::wstring> titles;
    for (const Capture& capture : captures) {
        if (!capture.picture.empty()) {
            titles.push_back(RowName(capture.picture));
        }
    }
    if (mObserver == nullptr || titles.empty()) {
        return -1;
    }
    const std::optional<FilingRecord> record =
        mObserver->CapturesStaged(customerSerialNumber, titles);
    return record ? batch.Adopt(record->temporary, record->target) : -1;
}

CaptureFiling::Capture CaptureFiling::Stage(const std::wstring& picture, const std::wstring& clip,
                                            const Targets& targets, CaptureCopyBatch& batch) const {
    // Copies are named in the order they are staged: the clip and the picture first, the
    // thumbnail last, since the main window lists a capture by its thumbnail.
    Capture capture{picture, {}, {}};
    const auto stage = [&](const std::wstring& from, const std::wstring& to) {
        capture.files.push_back(from);
        capture.copies.push_back(batch.Stage(text::ToPath(from), text::ToPath(to)));
    };
    if (!clip.empty() && Exists(mStringTempVideosFolder + clip)) {
        stage(mStringTempVideosFolder + clip, targets.videos + clip);
    }
    if (!picture.empty()) {
        stage(mStringTempImagesFolder + picture, targets.images + picture);
        if (Exists(mStringTempThumbnailFolder + picture)) {
            stage(mStringTempThumbnailFolder + picture, targets.thumbnails + picture);
        }
    }
    return capture;
}

void CaptureFiling::InsertRows(int32_t customerSerialNumber,
                               const std::vector<const Capture*>& arrived) {
    std::vector<PhotoRecord> rows;
    for (const Capture* capture : arrived) {
        if (capture->picture.empty()) {
            continue;
        }
        PhotoRecord row{0, customerSerialNumber, RowName(capture->picture), L"", L""};
        if (!mRecordStore.PhotoSelect(row)) {
            UTILITY_GetDateString(row.date);
            rows.push_back(std::move(row));
        }
    }
    // All rows in one transaction; when that fails, one at a time, which reports the failure
    // and stops at the first row that cannot be inserted.
    if (rows.empty() || mRecordStore.PhotoInsertAll(rows)) {
        return;
    }
    for (const PhotoRecord& row : rows) {
        if (!mRecordStore.PhotoInsert(row)) {
            mPrompts.ShowMessage(L"Database Error!");
            return;
        }
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
