// The camera window's painting: the title band, the buttons, the captures of the four-pane
// view, the frames (red while recording), the recording clock and the flash.
#include "camera/CCameraManager.h"
#include "camera/CDlgCamera.h"
#include "utility/bitmaps/Drawing.h"

namespace {

const ui::Color kBackground = ui::Rgb(66, 68, 79);
const ui::Color kRed = ui::Rgb(255, 0, 0);
const ui::Color kWhite = ui::Rgb(255, 255, 255);

void Stretch(ui::DrawContext& dc, const ui::Bitmap& bitmap, const ui::Rect& rect) {
    UTILITY_StretchBitmap(dc, bitmap, rect.left, rect.top, rect.Width(), rect.Height());
}

void Frame(ui::DrawContext& dc, const ui::Rect& box, ui::Color color) {
    for (const ui::Rect& bar : FrameBars(box)) {
        dc.FillRect(bar, color);
    }
}

}  // namespace

void CDlgCamera::OnPaintWindow(ui::DrawContext& dc) {
    PaintTitleBand(dc);
    PaintButtons(dc);
    if (!mManager) {
        return;
    }
    PaintPanes(dc);
    PaintFrames(dc, false);
    if (IsRecording()) {
        PaintClock(dc);
    }
    // In the single view the live picture itself flashes white (CCameraDevice::Flash).
    if (mFlash && !mManager->SingleView()) {
        PaintFrames(dc, true);
    }
}

void CDlgCamera::PaintTitleBand(ui::DrawContext& dc) {
    Stretch(dc, mPictures[kHeader], mHeaderRect);
    Stretch(dc, mPictures[kClose], mCloseRect);
    dc.SetBrush(kBackground);
    dc.SetPen(kBackground);
    dc.DrawRectangle(mWindowLayout.titleBand);
    dc.SetFont(mSmallFont);
    dc.SetTextColor(kWhite);
    dc.DrawTextCentered(mWindowLayout.titleBand, mStringTitle);
}

void CDlgCamera::PaintButtons(ui::DrawContext& dc) {
    using Button = CameraWindowLayout::Button;
    Stretch(dc, mPictures[kExit], mButtonRects[Button::kExit]);
    Stretch(dc, mPictures[kBrowser], mButtonRects[Button::kBrowser]);
    Stretch(dc, mPictures[kStill], mButtonRects[Button::kStill]);
    Stretch(dc, mPictures[kRecord], mButtonRects[Button::kRecord]);
    const bool single = !mManager || mManager->SingleView();
    Stretch(dc, mPictures[single ? kQuad : kSingle], mButtonRects[Button::kViewToggle]);
}

// Empty panes are video hosts mirroring the live picture; the others show their capture.
void CDlgCamera::PaintPanes(ui::DrawContext& dc) {
    const QuadRing& ring = mManager->Ring();
    if (ring.SingleView()) {
        return;
    }
    for (int pane = 0; pane < QuadRing::kPaneCount; ++pane) {
        if (!ring.IsEmpty(pane) && pane != ring.NextSlot()) {
            Stretch(dc, mManager->PanePicture(pane), mWindowLayout.panes[pane]);
        }
    }
}

void CDlgCamera::PaintFrames(ui::DrawContext& dc, bool flash) {
    const ui::Color live = flash ? kWhite : IsRecording() ? kRed : kWhite;
    if (mManager->SingleView()) {
        Frame(dc, mWindowLayout.fullView, live);
        return;
    }
    for (int pane = 0; pane < QuadRing::kPaneCount; ++pane) {
        Frame(dc, mWindowLayout.panes[pane],
              pane == mManager->Ring().NextSlot() ? live : kBackground);
    }
}

void CDlgCamera::PaintClock(ui::DrawContext& dc) {
    dc.SetBrush(kBackground);
    dc.SetPen(kWhite);
    dc.DrawRectangle(mWindowLayout.clockBox);
    dc.SetFont(mLargeFont);
    dc.SetTextColor(kRed);
    dc.DrawTextCentered(mWindowLayout.clockBox, ClockText());
}
