// Where a live picture meets the window that shows it: a frame slot, shared between the
// window and whoever presents frames (the camera's streaming thread), so that presenting
// stays safe after the window is gone. No windowing system is needed to use it.
#pragma once

#include <cstdint>
#include <memory>

namespace ui {

// The newest frame for a window to show, scaled to fill its client area. Any thread. Once
// its window is destroyed, the slot drops what is presented and repaints nothing.
class FrameSlot {
  public:
    virtual ~FrameSlot() = default;
    // A frame of 4-byte pixels (blue, green, red, unused), rows top-down, `stride` bytes
    // apart; replaces the previous one. Frames that arrive faster than the screen paints
    // replace each other.
    virtual void Present(const uint8_t* bgrx, int width, int height, int stride) = 0;
    // Shows the window's background again.
    virtual void Clear() = 0;
    // Repaints the picture at the window's current client size.
    virtual void Repaint() = 0;
};

// A window that shows what is presented into its frame slot.
class FrameSlotOwner {
  public:
    // The slot; it lives as long as anyone holds it, however long the window lives.
    virtual std::shared_ptr<FrameSlot> Slot() const = 0;

  protected:
    ~FrameSlotOwner() = default;
};

}  // namespace ui
