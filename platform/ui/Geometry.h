// Points, sizes, rectangles and colours of the window layer, in pixels. A rectangle holds its
// edges (left, top, right, bottom) with right and bottom exclusive, as the program's layout
// rules give them.
#pragma once

#include <cstdint>

namespace ui {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int x, int y, int width, int height) {
        return {x, y, x + width, y + height};
    }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Rect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const Rect&) const = default;
};

// An opaque 24-bit colour.
struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

constexpr Color Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return {red, green, blue};
}

}  // namespace ui
