// The start-up cover. It closes through a one-second timer on the UI thread, which ends the
// modal run like the close message.
#include "utility/boxes/CCoverDlg.h"

#include "resources/ResourceIds.h"
#include "utility/bitmaps/WindowGeometry.h"

namespace {
constexpr int kShowMilliseconds = 1000;
}

CCoverDlg::CCoverDlg(ui::Window* parent) : ui::Dialog(resources::kDialogCover, parent) {
    OnPaint(&CCoverDlg::OnPaintCover);
}

bool CCoverDlg::OnInitDialog() {
    SetBackgroundColor(mBackgroundColor);
    UTILITY_ResizeWindowAroundCenter(this, UTILITY_GetScreenWidth(), UTILITY_GetScreenHeight());
    StartTimer(kShowMilliseconds, [this] { OnCancel(); });
    return true;
}

void CCoverDlg::OnPaintCover(ui::DrawContext& dc) {
    const ui::Bitmap picture = ui::Bitmap::FromResource(mPictureBitmapId);
    dc.DrawBitmap(picture, (UTILITY_GetScreenWidth() - picture.Width()) / 2,
                  (UTILITY_GetScreenHeight() - picture.Height()) / 2);
}
