// Drawing the tour's sample pictures.
#include "tools/tour/TourPictures.h"

#include <cmath>
#include <vector>

#include "camera/CaptureStamp.h"
#include "platform/ui/DrawContext.h"

namespace tour {
namespace {

std::vector<ui::Point> Ellipse(double cx, double cy, double rx, double ry) {
    std::vector<ui::Point> points;
    constexpr int kCorners = 48;
    for (int i = 0; i < kCorners; ++i) {
        const double angle = 2 * M_PI * i / kCorners;
        points.push_back({static_cast<int>(cx + rx * std::cos(angle)),
                          static_cast<int>(cy + ry * std::sin(angle))});
    }
    return points;
}

void FillEllipse(ui::DrawContext& dc, double cx, double cy, double rx, double ry, ui::Color color) {
    dc.SetPen(color, 1);
    dc.SetBrush(color);
    const std::vector<ui::Point> points = Ellipse(cx, cy, rx, ry);
    dc.DrawPolygon(points);
}

}  // namespace

ui::Bitmap Portrait(int width, int height, ui::Color backdrop, ui::Color clothing) {
    ui::Bitmap picture(width, height, backdrop);
    ui::DrawContext dc(picture);
    const double w = width;
    const double h = height;
    FillEllipse(dc, w / 2, h * 1.02, w * 0.46, h * 0.34, clothing);
    FillEllipse(dc, w / 2, h * 0.62, w * 0.11, h * 0.1, ui::Rgb(222, 184, 160));
    FillEllipse(dc, w / 2, h * 0.42, w * 0.2, h * 0.19, ui::Rgb(232, 196, 172));
    FillEllipse(dc, w / 2, h * 0.3, w * 0.21, h * 0.1, ui::Rgb(92, 64, 48));
    return picture;
}

ui::Bitmap Capture(int width, int height, int variant, const std::wstring& name) {
    const ui::Color skin[] = {ui::Rgb(226, 180, 150), ui::Rgb(206, 160, 128),
                              ui::Rgb(236, 198, 170), ui::Rgb(196, 146, 116)};
    ui::Bitmap picture(width, height, skin[variant % 4]);
    {
        ui::DrawContext dc(picture);
        const double w = width;
        const double h = height;
        FillEllipse(dc, w * (0.35 + 0.1 * (variant % 3)), h * 0.5, w * 0.16, h * 0.2,
                    ui::Rgb(170, 90, 80));
        FillEllipse(dc, w * (0.35 + 0.1 * (variant % 3)), h * 0.5, w * 0.08, h * 0.1,
                    ui::Rgb(120, 50, 50));
    }
    // Stamped as the camera stamps its captures.
    StampCapture(picture, name, CaptureStampFont());
    return picture;
}

}  // namespace tour
