// Where the camera's live picture is shown: the graph presents every frame into one slot, which
// hands it on to the video host and to the panes of the four-pane view that mirror the live
// picture. A flash shows white in all of them for a moment instead of the frames that arrive.
// The slot is shared with the streaming thread and outlives every window it shows in (see
// platform/ui/FrameSlot.h).
#pragma once

#include <chrono>
#include <memory>
#include <vector>

#include "platform/ui/FrameSlot.h"

class LivePicture final : public ui::FrameSlotOwner {
  public:
    LivePicture();
    ~LivePicture();
    LivePicture(const LivePicture&) = delete;
    LivePicture& operator=(const LivePicture&) = delete;

    // The slot the graph presents into; any thread.
    std::shared_ptr<ui::FrameSlot> Slot() const override;
    // The slots that show the picture from now on: the video host's first, then the mirrors.
    void ShowIn(std::vector<std::shared_ptr<ui::FrameSlot>> slots);
    // White in every slot for `duration`.
    void Flash(std::chrono::milliseconds duration);

  private:
    class Relay;
    std::shared_ptr<Relay> mRelay;
};
