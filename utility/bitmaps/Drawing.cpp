// Drawing helpers and button pictures.
#include "utility/bitmaps/Drawing.h"

void UTILITY_DrawBitmapResource(ui::DrawContext& dc, uint16_t id, int32_t x, int32_t y) {
    dc.DrawBitmap(ui::Bitmap::FromResource(id), x, y);
}

void UTILITY_StretchBitmap(ui::DrawContext& dc, const ui::Bitmap& bitmap, int32_t x, int32_t y,
                           int32_t width, int32_t height) {
    dc.StretchBitmap(bitmap, ui::Rect::FromSize(x, y, width, height));
}

void UTILITY_CopyBits(ui::DrawContext& dc, int32_t x, int32_t y, int32_t width, int32_t height,
                      int32_t sourceX, int32_t sourceY) {
    dc.CopyBits(x, y, width, height, sourceX, sourceY);
}

void UTILITY_SetButtonBitmap(ui::Button* button, ui::Bitmap& holder, uint16_t id) {
    holder = ui::Bitmap::FromResource(id);
    if (button) {
        button->SetBitmap(holder);
    }
}

void UTILITY_SetButtonBitmapStretched(ui::Dialog*, ui::Bitmap& holder, const ui::Bitmap& source,
                                      ui::Button* button) {
    if (!button) {
        return;
    }
    const ui::Rect area = button->ClientRect();
    holder = source.Stretched(area.Width(), area.Height());
    button->SetBitmap(holder);
}

void UTILITY_SetButtonBitmapFit(ui::Dialog*, ui::Bitmap& holder, const ui::Bitmap& source,
                                ui::Button* button) {
    if (!button || source.IsNull()) {
        return;
    }
    const ui::Rect area = button->ClientRect();
    const float w = static_cast<float>(source.Width());
    const float h = static_cast<float>(source.Height());
    const float buttonWidth = static_cast<float>(area.Width());
    const float buttonHeight = static_cast<float>(area.Height());
    int width = 0;
    int height = 0;
    if (w < h) {
        height = static_cast<int>(buttonHeight);
        width = static_cast<int>(buttonHeight / (h / w));
    } else {
        width = static_cast<int>(buttonWidth);
        height = static_cast<int>(buttonWidth / (w / h));
    }
    holder = source.Stretched(width, height);
    button->SetBitmap(holder);
}

int32_t UTILITY_GetTextWidth(ui::Window*, const std::wstring& text, const ui::Font& font) {
    ui::Bitmap surface(1, 1);
    ui::DrawContext dc(surface);
    dc.SetFont(font);
    return dc.MeasureText(text).width;
}
