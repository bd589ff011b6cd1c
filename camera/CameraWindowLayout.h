// Where the camera window puts everything, from the screen and the grid of the four-pane view:
// the window above the taskbar, the title band with its header and close pictures, the row of
// five buttons under the grid, the clock box at the grid's right edge, and the frames round the
// full view and each pane.
//
//   header | title band "<pid>-<name>"                                  | close
//   +------------------ full view (slot A, grid size) -------------------+
//   |  pane 0 (A)                         |  pane 1 (B)                   |
//   |  pane 2 (C)                         |  pane 3 (D)                   |
//   +--------------------------------------------------------------------+
//              exit  browser  still  record  view                  [clock]
#pragma once

#include <array>

#include "media/SlotLayout.h"
#include "platform/ui/Geometry.h"

struct CameraWindowLayout {
    enum Button { kExit, kBrowser, kStill, kRecord, kViewToggle, kButtonCount };

    ui::Size window;     // screen width x (screen height - taskbar)
    ui::Point header;    // the header picture's top-left, in screen coordinates
    ui::Point close;     // the close picture's top-left, in screen coordinates
    ui::Rect titleBand;  // (130, 0) to (screen width - 41, 40)
    std::array<ui::Point, kButtonCount> buttons;  // top-left corners, in screen coordinates
    ui::Rect clockBox;
    ui::Rect fullView;              // slot A's origin with the grid's size
    std::array<ui::Rect, 4> panes;  // slot i's origin with the slot's size
};

CameraWindowLayout ComputeCameraWindowLayout(const SlotLayout& slots, int screenWidth,
                                             int screenHeight, int taskbarHeight);

// The frame round `box`: four bars 2 pixels thick lying 2 to 4 pixels outside it (top, bottom,
// left, right).
std::array<ui::Rect, 4> FrameBars(const ui::Rect& box);
