// The camera window's layout arithmetic.
#include "camera/CameraWindowLayout.h"

CameraWindowLayout ComputeCameraWindowLayout(const SlotLayout& slots, int screenWidth,
                                             int screenHeight, int taskbarHeight) {
    CameraWindowLayout layout;
    layout.window = {screenWidth, screenHeight - taskbarHeight};
    layout.header = {0, 0};
    layout.close = {screenWidth - 41, 0};
    layout.titleBand = {130, 0, screenWidth - 41, 40};
    const int y = slots.slotC.y + slots.slotHeight + 10;
    const int x0 = slots.slotC.x + (slots.gridWidth - 450) / 2;
    for (int button = 0; button < CameraWindowLayout::kButtonCount; ++button) {
        layout.buttons[button] = {x0 + 90 * button, y};
    }
    layout.clockBox = {slots.gridWidth + slots.slotA.x - 156, y,
                       slots.gridWidth + slots.slotA.x + 4, y + 75};
    layout.fullView =
        ui::Rect::FromSize(slots.slotA.x, slots.slotA.y, slots.gridWidth, slots.gridHeight);
    for (int pane = 0; pane < 4; ++pane) {
        const ui::Point origin = slots.Origin(pane);
        layout.panes[pane] =
            ui::Rect::FromSize(origin.x, origin.y, slots.slotWidth, slots.slotHeight);
    }
    return layout;
}

std::array<ui::Rect, 4> FrameBars(const ui::Rect& box) {
    const int x = box.left;
    const int y = box.top;
    const int w = box.Width();
    const int h = box.Height();
    return {{
        {x - 4, y - 4, x + w + 4, y - 2},
        {x - 4, y + h + 2, x + w + 4, y + h + 4},
        {x - 4, y - 4, x - 2, y + h + 4},
        {x + w + 2, y - 4, x + w + 4, y + h + 4},
    }};
}
