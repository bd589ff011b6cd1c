// The review windows' delete order.
#include "review/CaptureDeletion.h"

#include <filesystem>
#include <system_error>

#include "media/MediaLayout.h"
#include "platform/text/Text.h"
#include "records/DATABASECONTEXT.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Files.h"

namespace {

// true when nothing is left at `path`: deleted now, or missing already. A folder is not a
// capture's file and is never deleted.
bool RemoveFile(const std::wstring& path) {
    const std::filesystem::path file = text::ToPath(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return true;
    }
    if (error || status.type() == std::filesystem::file_type::directory) {
        return false;
    }
    return std::filesystem::remove(file, error) && !error;
}

std::wstring FileName(const std::wstring& path) {
    const auto slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

DeleteOutcome AskAndDeleteCapture(const MediaContext& context, const std::wstring& picturePath,
                                  ClipFate clip, OperatorPrompts& prompts) {
    if (!prompts.AskYesNo(L"Are you sure want to delete this image ?")) {
        return DeleteOutcome::kNotConfirmed;
    }
    if (picturePath.empty()) {
        return DeleteOutcome::kDeleted;
    }
    if (!RemoveFile(picturePath)) {
        prompts.ShowMessage(L"Delete fail.");
        return DeleteOutcome::kFailed;
    }
    // The picture is gone, so what belongs to it goes too; a thumbnail or clip that stays
    // behind loses nothing.
    std::wstring title;
    UTILITY_GetFileTitle(picturePath, title);
    RemoveFile(context.imageFolder + L"thumbnail/" + FileName(picturePath));
    if (clip == ClipFate::kDeleted && media::IsVideoName(title)) {
        RemoveFile(context.videoFolder + title + media::kClipExtension);
    }
    if (!title.empty()) {
        context.recordStore.PhotoDeleteByName(title);
    }
    return DeleteOutcome::kDeleted;
}
