// Drawing helpers: bitmap resources and stretched pictures into a drawing context, copying
// within it, pictures on push buttons (as they are, stretched, or fitted keeping their aspect
// ratio) and text widths. Stretching is half-tone. UI thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Font.h"

void UTILITY_DrawBitmapResource(ui::DrawContext& dc, uint16_t id, int32_t x, int32_t y);
void UTILITY_StretchBitmap(ui::DrawContext& dc, const ui::Bitmap& bitmap, int32_t x, int32_t y,
                           int32_t width, int32_t height);
void UTILITY_CopyBits(ui::DrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height,
                      int32_t sourceX, int32_t sourceY);

// `holder` is the dialog's bitmap for the button; each call replaces what it holds and shows
// it on the button.
void UTILITY_SetButtonBitmap(ui::Button* button, ui::Bitmap& holder, uint16_t id);
// The source stretched to exactly the button's size.
void UTILITY_SetButtonBitmapStretched(ui::Dialog* dialog, ui::Bitmap& holder,
                                      const ui::Bitmap& source, ui::Button* button);
// The source fitted with its aspect ratio: a portrait picture as high as the button, any other
// as wide as it; the other side follows the ratio and is not limited to the button.
void UTILITY_SetButtonBitmapFit(ui::Dialog* dialog, ui::Bitmap& holder, const ui::Bitmap& source,
                                ui::Button* button);

// The width in pixels of `text` on one line in `font`.
int32_t UTILITY_GetTextWidth(ui::Window* window, const std::wstring& text, const ui::Font& font);
