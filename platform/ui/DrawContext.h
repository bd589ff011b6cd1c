// Drawing on a window while it paints, or on a memory surface (a Bitmap): solid fills, framed
// rectangles and polygons with a pen and brush, text in a colour and font (always with a
// transparent background), bitmaps unscaled or half-tone stretched, and copying a rectangle
// within the surface. Valid only for the call it is handed to; UI thread only.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

namespace ui {

class DrawContext {
  public:
    // Draws on `surface` until destroyed.
    explicit DrawContext(Bitmap& surface);
    ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void FillRect(const Rect& rect, Color color);
    // The pen frames rectangles and polygons (solid, `width` pixels); the brush fills them.
    void SetPen(Color color, int width = 2);
    void SetBrush(Color color);
    void DrawRectangle(const Rect& rect);
    void DrawPolygon(std::span<const Point> points);

    void SetFont(const Font& font);
    void SetTextColor(Color color);
    // Text with its top-left corner at (x, y).
    void DrawText(int x, int y, std::wstring_view text);
    // One line centred horizontally and vertically in `rect`.
    void DrawTextCentered(const Rect& rect, std::wstring_view text);
    // Width and height of one line of `text` in the current font.
    Size MeasureText(std::wstring_view text) const;

    void DrawBitmap(const Bitmap& bitmap, int x, int y);
    // The whole bitmap half-tone stretched into `target`.
    void StretchBitmap(const Bitmap& bitmap, const Rect& target);
    // Copies width x height pixels at (sourceX, sourceY) of this surface to (x, y).
    void CopyBits(int x, int y, int width, int height, int sourceX, int sourceY);

    // The window layer's own constructor: a context over its painter.
    struct Data;
    explicit DrawContext(std::unique_ptr<Data> data);

  private:
    std::unique_ptr<Data> mData;
};

}  // namespace ui
