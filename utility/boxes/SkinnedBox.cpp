// Sizing and painting the skinned boxes.
#include "utility/boxes/SkinnedBox.h"

#include <algorithm>

#include "utility/bitmaps/Drawing.h"
#include "utility/bitmaps/WindowGeometry.h"

namespace {
constexpr int32_t kBoxHeight = 100;
constexpr ui::Color kFrameColor = ui::Rgb(66, 68, 79);
}  // namespace

ui::Size SkinnedBoxFitToText(ui::Dialog& box, ui::Window* owner, const std::wstring& text,
                             const ui::Font& font, int32_t textX, int32_t buttonsWidth) {
    const int32_t width =
        std::max(UTILITY_GetTextWidth(&box, text, font), buttonsWidth) + 2 * textX;
    UTILITY_ResizeWindowAroundCenter(&box, width, kBoxHeight);
    if (owner) {
        UTILITY_CenterWindowOver(owner, &box);
    }
    return {width, kBoxHeight};
}

void SkinnedBoxPaint(ui::DrawContext& dc, const ui::Rect& client, const std::wstring& text,
                     const ui::Font& font, ui::Color color, int32_t x, int32_t y) {
    dc.SetPen(kFrameColor, 1);
    dc.DrawRectangle(client);
    dc.SetFont(font);
    dc.SetTextColor(color);
    dc.DrawText(x, y, text);
}
