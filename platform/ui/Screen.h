// The primary screen as the windows lay themselves out on it: its size in pixels and the
// height the desktop reserves for panels at its edges (the taskbar; 0 when there is none).
// Tests set a virtual screen instead. UI thread.
#pragma once

#include "platform/ui/Geometry.h"

namespace ui {

Size ScreenSize();
int TaskbarHeight();
// The screen less the taskbar, at the top-left corner.
Rect WorkArea();

namespace testing {

// From now on the screen is width x height with a taskbar of `taskbarHeight` pixels.
void SetVirtualScreen(int width, int height, int taskbarHeight);
void ResetVirtualScreen();

}  // namespace testing
}  // namespace ui
