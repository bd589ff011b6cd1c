// The 2 x 2 grid from the screen size.
#include "media/SlotLayout.h"

ui::Point SlotLayout::Origin(int slot) const {
    switch (slot) {
        case 1:
            return slotB;
        case 2:
            return slotC;
        case 3:
            return slotD;
        default:
            return slotA;
    }
}

SlotLayout ComputeSlotLayout(int32_t screenWidth, int32_t screenHeight) {
    SlotLayout layout;
    layout.slotWidth = screenWidth / 2 - 20;
    layout.slotHeight = screenHeight / 2 - 95;
    layout.gridWidth = 2 * layout.slotWidth + 10;
    layout.gridHeight = 2 * layout.slotHeight + 10;
    layout.slotA = {12, 50};
    layout.slotB = {layout.slotWidth + 22, 50};
    layout.slotC = {12, layout.slotHeight + 60};
    layout.slotD = {layout.slotWidth + 22, layout.slotHeight + 60};
    return layout;
}
