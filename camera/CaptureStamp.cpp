// The stamp a capture carries.
#include "camera/CaptureStamp.h"

#include "platform/ui/DrawContext.h"

ui::Font CaptureStampFont() {
    return {L"Courier New", 250};
}

void StampCapture(ui::Bitmap& bitmap, const std::wstring& name, const ui::Font& font) {
    ui::DrawContext dc(bitmap);
    dc.SetFont(font);
    dc.SetTextColor(ui::Rgb(0, 255, 0));
    dc.DrawText(10, 10, name);
    if (name.find(L'V') == std::wstring::npos) {
        return;
    }
    // Black outline and white fill.
    dc.SetPen(ui::Rgb(0, 0, 0), 1);
    dc.SetBrush(ui::Rgb(255, 255, 255));
    const ui::Point first[] = {{10, 50}, {10, 200}, {160, 125}};
    const ui::Point second[] = {{60, 50}, {60, 200}, {210, 125}};
    dc.DrawPolygon(first);
    dc.DrawPolygon(second);
}
