// Window rectangle operations.
#include "utility/bitmaps/WindowGeometry.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Screen.h"

void UTILITY_GetWindowPos(ui::Window* window, int32_t& left, int32_t& top) {
    const ui::Rect rect = window->WindowRect();
    left = rect.left;
    top = rect.top;
}

void UTILITY_GetWindowSize(ui::Window* window, int32_t& width, int32_t& height) {
    const ui::Rect rect = window->WindowRect();
    width = rect.Width();
    height = rect.Height();
}

void UTILITY_SetWindowSize(ui::Window* window, int32_t width, int32_t height) {
    const ui::Rect rect = window->PlacementRect();
    window->SetPlacement(ui::Rect::FromSize(rect.left, rect.top, width, height));
}

void UTILITY_ResizeWindowToBitmap(ui::Window* window, uint16_t id) {
    const ui::Bitmap bitmap = ui::Bitmap::FromResource(id);
    UTILITY_SetWindowSize(window, bitmap.Width(), bitmap.Height());
}

void UTILITY_ResizeWindowAroundCenter(ui::Window* window, int32_t width, int32_t height) {
    const ui::Rect rect = window->PlacementRect();
    window->SetPlacement(ui::Rect::FromSize(rect.left + rect.Width() / 2 - width / 2,
                                            rect.top + rect.Height() / 2 - height / 2, width,
                                            height));
}

namespace {

int CentredStart(int referenceStart, int referenceLength, int length) {
    return referenceLength < length ? referenceStart - (length - referenceLength) / 2
                                    : referenceStart + (referenceLength - length) / 2;
}

}  // namespace

void UTILITY_CenterWindowOver(ui::Window* reference, ui::Window* window) {
    const ui::Rect over = reference->WindowRect();
    const ui::Rect rect = window->WindowRect();
    const ui::Rect placed = window->PlacementRect();
    // The centred position in screen coordinates, moved into the window's own coordinates.
    const int left = CentredStart(over.left, over.Width(), rect.Width());
    const int top = CentredStart(over.top, over.Height(), rect.Height());
    window->Move(left - rect.left + placed.left, top - rect.top + placed.top);
}

void UTILITY_MoveChildWindowBy(ui::Window*, ui::Window* child, int32_t dx, int32_t dy) {
    child->SetPlacement(child->PlacementRect().Offset(dx, dy));
}

void UTILITY_GetBitmapRectInClient(ui::Window* window, int32_t screenX, int32_t screenY,
                                   uint16_t id, ui::Rect& rect) {
    const ui::Bitmap bitmap = ui::Bitmap::FromResource(id);
    const ui::Point origin = window->ScreenToClient({screenX, screenY});
    rect = ui::Rect::FromSize(origin.x, origin.y, bitmap.Width(), bitmap.Height());
}

int32_t UTILITY_GetScreenWidth() {
    return ui::ScreenSize().width;
}

int32_t UTILITY_GetScreenHeight() {
    return ui::ScreenSize().height;
}

bool UTILITY_PointInRect(ui::Point point, const ui::Rect& rect) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
           point.y <= rect.bottom;
}

bool UTILITY_PostClick(ui::Window* window, int32_t y, int32_t x) {
    if (!window) {
        return false;
    }
    window->PostLeftButtonDown({x, y});
    return true;
}
