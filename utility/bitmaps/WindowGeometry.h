// Window rectangles as the skinned windows size and place themselves and their controls.
// Sizes come from the window's outer rectangle. A top-level window is placed in screen
// coordinates, a control in its dialog's client coordinates. UI thread, except
// UTILITY_PostClick (any thread).
#pragma once

#include <cstdint>

#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"

// Left and top in screen coordinates.
void UTILITY_GetWindowPos(ui::Window* window, int32_t& left, int32_t& top);
void UTILITY_GetWindowSize(ui::Window* window, int32_t& width, int32_t& height);
// New size, the top-left corner staying where it is.
void UTILITY_SetWindowSize(ui::Window* window, int32_t width, int32_t height);
void UTILITY_ResizeWindowToBitmap(ui::Window* window, uint16_t id);
// New size, the centre staying where it is (integer halves).
void UTILITY_ResizeWindowAroundCenter(ui::Window* window, int32_t width, int32_t height);
// Centres `window` over `reference` keeping its size.
void UTILITY_CenterWindowOver(ui::Window* reference, ui::Window* window);
void UTILITY_MoveChildWindowBy(ui::Window* parent, ui::Window* child, int32_t dx, int32_t dy);
// The rectangle of bitmap `id` placed at a screen point, in the window's client coordinates.
void UTILITY_GetBitmapRectInClient(ui::Window* window, int32_t screenX, int32_t screenY,
                                   uint16_t id, ui::Rect& rect);
int32_t UTILITY_GetScreenWidth();
int32_t UTILITY_GetScreenHeight();
// true when the point lies inside or on any edge of the rectangle.
bool UTILITY_PointInRect(ui::Point point, const ui::Rect& rect);
// Posts a left-button press at the client point (x, y); note the argument order.
bool UTILITY_PostClick(ui::Window* window, int32_t y, int32_t x);
