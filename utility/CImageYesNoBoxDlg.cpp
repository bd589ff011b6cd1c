// The skinned yes/no box.
#include "utility/CImageYesNoBoxDlg.h"

#include <algorithm>

#include "resources/ResourceIds.h"
#include "utility/Bitmaps.h"
#include "utility/Drawing.h"
#include "utility/WindowGeometry.h"

namespace {
constexpr int kYesButton = 9401;
constexpr int kNoButton = 9402;
}  // namespace

CImageYesNoBoxDlg::CImageYesNoBoxDlg(ui::Window* owner, const std::wstring& text)
    : ui::Dialog(resources::kDialogImageYesNoBox, owner), mOwner(owner), mText(text) {
    OnClick(kYesButton, &CImageYesNoBoxDlg::OnBnClickedButtonYes);
    OnClick(kNoButton, &CImageYesNoBoxDlg::OnBnClickedButtonNo);
    OnPaint(&CImageYesNoBoxDlg::OnPaintBox);
    OnOwnerDraw(&CImageYesNoBoxDlg::OnDrawItem);
}

bool CImageYesNoBoxDlg::OnInitDialog() {
    mYesBitmap = ui::Bitmap::FromResource(mYesBitmapId);
    mNoBitmap = ui::Bitmap::FromResource(mNoBitmapId);
    mYesWidth = UTILITY_GetBitmapWidth(mYesBitmap);
    mYesHeight = UTILITY_GetBitmapHeight(mYesBitmap);
    mNoWidth = UTILITY_GetBitmapWidth(mNoBitmap);
    mNoHeight = UTILITY_GetBitmapHeight(mNoBitmap);
    const int32_t textWidth = UTILITY_GetTextWidth(this, mText, mFont);
    mDialogWidth = std::max(textWidth, mYesWidth + mNoWidth) + 2 * mTextX;
    mDialogHeight = 100;
    UTILITY_ResizeWindowAroundCenter(this, mDialogWidth, mDialogHeight);
    Control<ui::Button>(kYesButton)
        ->SetPlacement(ui::Rect::FromSize(mDialogWidth - mNoWidth - mYesWidth - 20,
                                          mDialogHeight - mYesHeight - 10, mYesWidth, mYesHeight));
    Control<ui::Button>(kNoButton)->SetPlacement(ui::Rect::FromSize(
        mDialogWidth - mNoWidth - 10, mDialogHeight - mNoHeight - 10, mNoWidth, mNoHeight));
    if (mOwner) {
        UTILITY_CenterWindowOver(mOwner, this);
    }
    return true;
}

void CImageYesNoBoxDlg::OnBnClickedButtonYes() {
    EndDialog(6);
}

void CImageYesNoBoxDlg::OnBnClickedButtonNo() {
    EndDialog(7);
}

void CImageYesNoBoxDlg::OnPaintBox(ui::DrawContext& dc) {
    dc.SetFont(mFont);
    dc.SetTextColor(mTextColor);
    dc.DrawText(mTextX, mTextY, mText);
}

void CImageYesNoBoxDlg::OnDrawItem(int controlId, ui::DrawItem& item) {
    if (controlId == kYesButton) {
        UTILITY_StretchBitmap(item.dc, mYesBitmap, 0, 0, mYesWidth, mYesHeight);
    } else if (controlId == kNoButton) {
        UTILITY_StretchBitmap(item.dc, mNoBitmap, 0, 0, mNoWidth, mNoHeight);
    }
}
