// The skinned yes/no box.
#include "utility/boxes/CImageYesNoBoxDlg.h"

#include "resources/ResourceIds.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/boxes/SkinnedBox.h"

namespace {
constexpr int kYesButton = resources::kControlBoxYes;
constexpr int kNoButton = resources::kControlBoxNo;
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
    const ui::Size size =
        SkinnedBoxFitToText(*this, mOwner, mText, mFont, mTextX, mYesWidth + mNoWidth);
    mDialogWidth = size.width;
    mDialogHeight = size.height;
    Control<ui::Button>(kYesButton)
        ->SetPlacement(ui::Rect::FromSize(mDialogWidth - mNoWidth - mYesWidth - 20,
                                          mDialogHeight - mYesHeight - 10, mYesWidth, mYesHeight));
    Control<ui::Button>(kNoButton)->SetPlacement(ui::Rect::FromSize(
        mDialogWidth - mNoWidth - 10, mDialogHeight - mNoHeight - 10, mNoWidth, mNoHeight));
    return true;
}

void CImageYesNoBoxDlg::OnBnClickedButtonYes() {
    EndDialog(6);
}

void CImageYesNoBoxDlg::OnBnClickedButtonNo() {
    EndDialog(7);
}

void CImageYesNoBoxDlg::OnPaintBox(ui::DrawContext& dc) {
    SkinnedBoxPaint(dc, ClientRect(), mText, mFont, mTextColor, mTextX, mTextY);
}

void CImageYesNoBoxDlg::OnDrawItem(int controlId, ui::DrawItem& item) {
    if (controlId == kYesButton) {
        UTILITY_StretchBitmap(item.dc, mYesBitmap, 0, 0, mYesWidth, mYesHeight);
    } else if (controlId == kNoButton) {
        UTILITY_StretchBitmap(item.dc, mNoBitmap, 0, 0, mNoWidth, mNoHeight);
    }
}
