// The skinned message box.
#include "utility/boxes/CImageMsgBoxDlg.h"

#include "resources/ResourceIds.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/boxes/SkinnedBox.h"

namespace {
constexpr int kOkButton = resources::kControlBoxOk;
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
    const ui::Size size = SkinnedBoxFitToText(*this, mOwner, mText, mFont, mTextX, mButtonWidth);
    mDialogWidth = size.width;
    mDialogHeight = size.height;
    mButtonX = mDialogWidth - mButtonWidth - 10;
    mButtonY = mDialogHeight - mButtonHeight - 10;
    Control<ui::Button>(kOkButton)->SetPlacement(
        ui::Rect::FromSize(mButtonX, mButtonY, mButtonWidth, mButtonHeight));
    return true;
}

void CImageMsgBoxDlg::OnBnClickedButtonOk() {
    EndDialog(1);
}

void CImageMsgBoxDlg::OnPaintBox(ui::DrawContext& dc) {
    SkinnedBoxPaint(dc, ClientRect(), mText, mFont, mTextColor, mTextX, mTextY);
}

void CImageMsgBoxDlg::OnDrawItem(int controlId, ui::DrawItem& item) {
    if (controlId == kOkButton) {
        UTILITY_StretchBitmap(item.dc, mButtonBitmap, 0, 0, mButtonWidth, mButtonHeight);
    }
}
