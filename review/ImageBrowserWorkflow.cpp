// The image browser's slot, selection and delete rules.
#include "review/ImageBrowserWorkflow.h"

#include <algorithm>
#include <vector>

#include "media/MediaLayout.h"
#include "review/ClipPlayback.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Files.h"

ImageBrowserWorkflow::ImageBrowserWorkflow(MediaContext context, OperatorPrompts& prompts)
    : mContext(std::move(context)), mPrompts(prompts) {}

int32_t ImageBrowserWorkflow::LoadImageSlots() {
    mImageFileFullPath = {};
    std::vector<std::wstring> names;
    for (std::wstring& name : utility::SortedFileNames(mContext.imageFolder)) {
        if (media::CountsAsMedia(name)) {
            names.push_back(std::move(name));
        }
    }
    const auto count = static_cast<int32_t>(names.size());
    const int32_t first = count > kSlotCount ? count - kSlotCount : 0;
    for (int32_t i = first; i < count; ++i) {
        if (names[i].size() > 4) {
            mImageFileFullPath[i - first] = mContext.imageFolder + names[i];
        }
    }
    mSelectIndicatorCurrent = count == 0 ? kNoSelection : std::min(count, kSlotCount) - 1;
    return count;
}

void ImageBrowserWorkflow::SelectSlot(int32_t slot) {
    if (slot >= 0 && slot < kSlotCount) {
        mSelectIndicatorCurrent = slot;
    }
}

std::optional<std::wstring> ImageBrowserWorkflow::CommentPath() {
    if (mSelectIndicatorCurrent == kNoSelection ||
        mImageFileFullPath[mSelectIndicatorCurrent].empty()) {
        mPrompts.ShowMessage(L"Empty file.");
        return std::nullopt;
    }
    return mImageFileFullPath[mSelectIndicatorCurrent];
}

DeleteOutcome ImageBrowserWorkflow::DeleteSelected() {
    const bool slotSelected = mSelectIndicatorCurrent != kNoSelection;
    const std::wstring path = slotSelected ? mImageFileFullPath[mSelectIndicatorCurrent] : L"";
    const DeleteOutcome outcome = AskAndDeleteCapture(mContext, path, ClipFate::kKept, mPrompts);
    if (outcome == DeleteOutcome::kDeleted && slotSelected) {
        mImageFileFullPath[mSelectIndicatorCurrent].clear();
    }
    return outcome;
}

bool ImageBrowserWorkflow::PlayClip(int32_t slot) const {
    if (slot < 0 || slot >= kSlotCount) {
        return false;
    }
    return PlayCaptureClip(mContext.videoFolder, mImageFileFullPath[slot]);
}
