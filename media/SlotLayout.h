// The geometry of the 2 x 2 grid shared by the camera's four-pane view, the camera window and
// the review dialogs, computed from the primary screen's size in pixels (halves truncated toward
// zero). Positions are client coordinates of the window the grid lies in.
#pragma once

#include <cstdint>

#include "platform/ui/Geometry.h"

struct SlotLayout {
    int32_t slotWidth = 0;   // screen width / 2 - 20
    int32_t slotHeight = 0;  // screen height / 2 - 95
    int32_t gridWidth = 0;   // two slots and the 10 pixels between them
    int32_t gridHeight = 0;
    ui::Point slotA;  // (12, 50)
    ui::Point slotB;  // (W + 22, 50)
    ui::Point slotC;  // (12, H + 60)
    ui::Point slotD;  // (W + 22, H + 60)

    // Slot i of A, B, C, D (0 to 3).
    ui::Point Origin(int slot) const;
};

SlotLayout ComputeSlotLayout(int32_t screenWidth, int32_t screenHeight);
