// The 2 x 2 grid of picture slots the review windows lay themselves out on, computed from the
// primary screen's size: slots A and B side by side above C and D, 10 pixels apart, in the
// window's client coordinates. Halves truncate toward zero. Plain arithmetic, any thread.
#pragma once

#include "platform/ui/Geometry.h"

struct SlotLayout {
    int slotWidth = 0;   // W = cx / 2 - 20
    int slotHeight = 0;  // H = cy / 2 - 95
    int gridWidth = 0;   // 2W + 10
    int gridHeight = 0;  // 2H + 10
    ui::Point slotA;     // (12, 50)
    ui::Point slotB;     // (W + 22, 50)
    ui::Point slotC;     // (12, H + 60)
    ui::Point slotD;     // (W + 22, H + 60)

    // The layout of a screen of screenWidth x screenHeight pixels.
    static SlotLayout ForScreen(int screenWidth, int screenHeight);
    // The origin of slot 0 (A) to 3 (D).
    ui::Point Slot(int index) const;
    // Slot `index` as a W x H rectangle.
    ui::Rect SlotRect(int index) const;
};
