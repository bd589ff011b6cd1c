// The image browser's rules without the window: which captures of the images folder its four
// slots A to D show (the last four media files in folder order, earliest in A), which slot is
// selected, what Comment opens, Delete (the capture's picture, then its thumbnail and rows; the
// clip stays) and which slots play a clip. The window shows the slots' pictures and the
// selection frame and repaints after each call.
//
// UI thread only, as the record store it uses. Messages go through OperatorPrompts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "review/CaptureDeletion.h"
#include "review/MediaContext.h"

class OperatorPrompts;

class ImageBrowserWorkflow {
  public:
    static constexpr int kSlotCount = 4;
    // mSelectIndicatorCurrent without a selected slot.
    static constexpr int32_t kNoSelection = 4;

    ImageBrowserWorkflow(MediaContext context, OperatorPrompts& prompts);

    const MediaContext& Context() const { return mContext; }
    // 0 = A ... 3 = D, or kNoSelection.
    int32_t SelectedSlot() const { return mSelectIndicatorCurrent; }
    // The full path of the file each slot shows; empty for an empty slot.
    const std::array<std::wstring, kSlotCount>& SlotPaths() const { return mImageFileFullPath; }

    // Lists the images folder and fills the slots: a file counts as media when its name holds
    // an upper-case "P" or "V"; the last four of them go to the slots from A on (a name of four
    // characters or fewer takes its slot but gets no path). Selects the slot of the latest file,
    // none when there is none. Returns the number of media files.
    int32_t LoadImageSlots();
    // Any slot can be selected, an empty one too.
    void SelectSlot(int32_t slot);
    // The selected slot's path for the comment dialog; "Empty file." and nullopt when the
    // selection holds none.
    std::optional<std::wstring> CommentPath();
    // Deletes the selected slot's capture (CaptureDeletion.h, clip kept). When the picture is
    // gone the slot is emptied and stays selected; nothing is reloaded.
    DeleteOutcome DeleteSelected();
    // Plays the clip of slot `slot` when its file is a video still; true when a player was
    // started.
    bool PlayClip(int32_t slot) const;

  private:
    MediaContext mContext;
    OperatorPrompts& mPrompts;
    int32_t mSelectIndicatorCurrent = kNoSelection;
    std::array<std::wstring, kSlotCount> mImageFileFullPath;
};
