// The review windows' slot grid.
#include "review/SlotLayout.h"

SlotLayout SlotLayout::ForScreen(int screenWidth, int screenHeight) {
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

ui::Point SlotLayout::Slot(int index) const {
    switch (index) {
        case 0:
            return slotA;
        case 1:
            return slotB;
        case 2:
            return slotC;
        default:
            return slotD;
    }
}

ui::Rect SlotLayout::SlotRect(int index) const {
    const ui::Point origin = Slot(index);
    return ui::Rect::FromSize(origin.x, origin.y, slotWidth, slotHeight);
}
