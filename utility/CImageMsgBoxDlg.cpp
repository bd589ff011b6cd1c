// The skinned message box.
#include "utility/CImageMsgBoxDlg.h"

#include <algorithm>

#include "resources/ResourceIds.h"
#include "utility/Bitmaps.h"
#include "utility/Drawing.h"
#include "utility/WindowGeometry.h"

namespace {
constexpr int kOkButton = 9403;
}

CImageMsgBoxDlg::CImageMsgBoxDlg(ui::Window* owner, const std::wstring& text)
    : ui::Dialog(resources::kDialogImageMsgBox, owner), mOwner(owner), mText(text) {
    OnClick(kOkButton, &CImageMsgBoxDlg::OnBnClickedButtonOk);
    OnPaint(&CImageMsgBoxDlg::OnPaintBox);
    OnOwnerDraw(&CImageMsgBoxDlg::OnDrawItem);
}

bool CImageMsgBoxDlg::OnInitDialog() {
    mButtonBitmap = ui::Bitmap::FromResource(mButtonBitmapId);
    mButtonWidth = UTILITY_GetBitmapWidth(mButtonBitmap);
    mButtonHeight = UTILITY_GetBitmapHeight(mButtonBitmap);
    const int32_t textWidth = UTILITY_GetTextWidth(this, mText, mFont);
    mDialogWidth = std::max(textWidth, mButtonWidth) + 2 * mTextX;
    mDialogHeight = 100;
    UTILITY_ResizeWindowAroundCenter(this, mDialogWidth, mDialogHeight);
    mButtonX = mDialogWidth - mButtonWidth - 10;
    mButtonY = mDialogHeight - mButtonHeight - 10;
    Control<ui::Button>(kOkButton)->SetPlacement(
        ui::Rect::FromSize(mButtonX, mButtonY, mButtonWidth, mButtonHeight));
    if (mOwner) {
        UTILITY_CenterWindowOver(mOwner, this);
    }
    return true;
}

void CImageMsgBoxDlg::OnBnClickedButtonOk() {
    EndDialog(1);
}

void CImageMsgBoxDlg::OnPaintBox(ui::DrawContext& dc) {
    dc.SetFont(mFont);
    dc.SetTextColor(mTextColor);
    dc.DrawText(mTextX, mTextY, mText);
}

void CImageMsgBoxDlg::OnDrawItem(int controlId, ui::DrawItem& item) {
    if (controlId == kOkButton) {
        UTILITY_StretchBitmap(item.dc, mButtonBitmap, 0, 0, mButtonWidth, mButtonHeight);
    }
}
