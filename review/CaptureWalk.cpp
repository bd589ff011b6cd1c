// Stepping through, deleting and playing the capture of the comment and detail dialogs.
#include "review/CaptureWalk.h"

#include "media/MediaLayout.h"
#include "review/ClipPlayback.h"
#include "utility/files/Files.h"

CaptureWalk::CaptureWalk(MediaContext context, std::wstring path, OperatorPrompts& prompts)
    : mContext(std::move(context)),
      mStringFullPathOfPhotoSelected(std::move(path)),
      mPrompts(prompts) {}

std::wstring CaptureWalk::Title() const {
    std::wstring title;
    UTILITY_GetFileTitle(mStringFullPathOfPhotoSelected, title);
    return title;
}

bool CaptureWalk::Step(StepDirection direction) {
    if (mStringFullPathOfPhotoSelected.empty()) {
        return false;
    }
    const std::wstring current = Title() + media::kPictureExtension;
    std::wstring neighbour;
    if (direction == StepDirection::kPrevious) {
        UTILITY_GetPrevFileName(mContext.imageFolder, current, neighbour);
    } else {
        UTILITY_GetNextFileName(mContext.imageFolder, current, neighbour);
    }
    if (neighbour.empty()) {
        return false;
    }
    mStringFullPathOfPhotoSelected = mContext.imageFolder + neighbour;
    return true;
}

DeleteOutcome CaptureWalk::Delete() {
    const DeleteOutcome outcome =
        AskAndDeleteCapture(mContext, mStringFullPathOfPhotoSelected, ClipFate::kDeleted, mPrompts);
    if (outcome == DeleteOutcome::kDeleted) {
        mStringFullPathOfPhotoSelected.clear();
    }
    return outcome;
}

bool CaptureWalk::PlayClip() const {
    return PlayCaptureClip(mContext.videoFolder, mStringFullPathOfPhotoSelected);
}
