// The review windows' shared placement and painting.
#include "review/ReviewWindowLook.h"

#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/bitmaps/WindowGeometry.h"

namespace reviewlook {
namespace {

const ui::Color kButtonFace = ui::Rgb(66, 68, 79);
const ui::Color kCaptionText = ui::Rgb(255, 255, 255);
const ui::Font kCaptionFont{L"Courier New", 150};

constexpr int kHeaderWidth = 130;
constexpr int kBandHeight = 40;
constexpr int kExitWidth = 36;
constexpr int kFaceSpacing = 90;
constexpr int kFaceWidth = 80;
constexpr int kFaceHeight = 75;

uint16_t PictureOf(int controlId, const Band& band, std::span<const Face> row) {
    if (controlId == band.header) {
        return resources::kBitmapHeader;
    }
    if (controlId == band.exit) {
        return resources::kBitmapClose;
    }
    for (const Face& face : row) {
        if (face.controlId == controlId) {
            return face.bitmapId;
        }
    }
    return 0;
}

}  // namespace

void LayOutWindow(ui::Dialog& dialog, ui::Color background) {
    dialog.SetBackgroundColor(background);
    const ui::Size screen = ui::ScreenSize();
    UTILITY_ResizeWindowAroundCenter(&dialog, screen.width, screen.height - ui::TaskbarHeight());
}

void PlaceBand(ui::Dialog& dialog, const Band& band, int infoWidth) {
    const int screenWidth = ui::ScreenSize().width;
    dialog.FindControl(band.header)
        ->SetPlacement(ui::Rect::FromSize(0, 0, kHeaderWidth, kBandHeight));
    ui::Window* info = dialog.FindControl(band.info);
    info->SetPlacement(ui::Rect::FromSize(kHeaderWidth, 0, infoWidth, kBandHeight));
    info->SetFont(kCaptionFont);
    dialog.FindControl(band.exit)->SetPlacement(
        ui::Rect::FromSize(screenWidth - 41, 0, kExitWidth, kBandHeight));
}

void PlaceFaceRow(ui::Dialog& dialog, std::span<const Face> row, ui::Point origin) {
    for (size_t i = 0; i < row.size(); ++i) {
        ui::Window* button = dialog.FindControl(row[i].controlId);
        const int x = origin.x + static_cast<int>(i) * kFaceSpacing;
        button->SetPlacement(ui::Rect::FromSize(x, origin.y, kFaceWidth, kFaceHeight));
        UTILITY_ResizeWindowToBitmap(button, row[i].bitmapId);
    }
}

void DrawButton(ui::DrawItem& item, const Band& band, std::span<const Face> row,
                const std::wstring& caption) {
    item.dc.FillRect(item.rect, kButtonFace);
    if (item.controlId == band.info) {
        item.dc.SetFont(kCaptionFont);
        item.dc.SetTextColor(kCaptionText);
        item.dc.DrawTextCentered(item.rect, caption);
    } else if (const uint16_t picture = PictureOf(item.controlId, band, row)) {
        UTILITY_DrawBitmapResource(item.dc, picture, item.rect.left, item.rect.top);
    }
}

}  // namespace reviewlook
