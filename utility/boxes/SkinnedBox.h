// What the two skinned boxes share: sizing a box to its one line of text and centring it over
// its owner, and painting the box (a thin frame, which keeps the borderless box apart from the
// window behind it, and the line of text). UI thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Font.h"

// Resizes `box` around its centre to the width of `text` in `font` or `buttonsWidth`, whichever
// is larger, plus `textX` on either side, by 100 pixels; then centres it over `owner` (when
// there is one). Returns the new client size.
ui::Size SkinnedBoxFitToText(ui::Dialog& box, ui::Window* owner, const std::wstring& text,
                             const ui::Font& font, int32_t textX, int32_t buttonsWidth);

// Paints the frame round `client` and `text` at (x, y) in `font` and `color`.
void SkinnedBoxPaint(ui::DrawContext& dc, const ui::Rect& client, const std::wstring& text,
                     const ui::Font& font, ui::Color color, int32_t x, int32_t y);
