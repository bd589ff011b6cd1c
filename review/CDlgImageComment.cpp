// The comment dialog's message table, layout and picture.
#include "review/CDlgImageComment.h"

#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "review/CDlgImageDetail.h"
#include "review/CaptureWalk.h"
#include "review/ReviewIds.h"
#include "review/ReviewWindowLook.h"
#include "review/mail/MailTo.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"

using namespace imagecomment;

namespace {

const ui::Color kBackground = ui::Rgb(26, 26, 26);
constexpr reviewlook::Band kBand{kHeader, kInfoBand, kExit};
constexpr reviewlook::Face kRow[] = {{kPrevious, resources::kBitmapPrevious},
                                     {kMailTo, resources::kBitmapMailTo},
                                     {kDetail, resources::kBitmapDetail},
                                     {kDelete, resources::kBitmapDelete},
                                     {kNext, resources::kBitmapNext}};
constexpr int kRowWidth = 450;

}  // namespace

CDlgImageComment::CDlgImageComment(ui::Window* parent)
    : ui::Dialog(resources::kDialogImageComment, parent) {
    OnClick(kExit, &CDlgImageComment::OnBnClickedButtonImageCommentExit);
    OnClick(kPrevious, &CDlgImageComment::OnBnClickedButtonImageCommentPrevious);
    OnClick(kNext, &CDlgImageComment::OnBnClickedButtonImageCommentNext);
    OnClick(kMailTo, &CDlgImageComment::OnBnClickedButtonImageCommentMailto);
    OnClick(kDetail, &CDlgImageComment::OnBnClickedButtonImageCommentDetail);
    OnClick(kDelete, &CDlgImageComment::OnBnClickedButtonImageCommentDelete);
    OnDoubleClick(kPicture, &CDlgImageComment::OnBnDoubleclickedButtonImageCommentPicture);
    OnOwnerDraw(&CDlgImageComment::OnDrawItem);
}

CDlgImageComment::~CDlgImageComment() = default;

void CDlgImageComment::SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                                       const std::wstring& imageFolder,
                                       const std::wstring& videoFolder,
                                       const std::wstring& imagePath) {
    mLayout = ComputeSlotLayout(ui::ScreenSize().width, ui::ScreenSize().height);
    mRecordStore = recordStore;
    mCustomerSerialNumber = customerSerialNumber;
    mStringImageFolder = imageFolder;
    mStringVideoFolder = videoFolder;
    mStringImagePath = imagePath;
}

bool CDlgImageComment::OnInitDialog() {
    if (!mRecordStore) {
        EndDialog(2);
        return true;
    }
    mCapture = std::make_unique<CaptureWalk>(
        MediaContext{*mRecordStore, mCustomerSerialNumber, mStringImageFolder, mStringVideoFolder},
        mStringImagePath, mPrompts);
    LayOutWindow();
    ShowImage();
    return true;
}

void CDlgImageComment::LayOutWindow() {
    reviewlook::LayOutWindow(*this, kBackground);
    reviewlook::PlaceBand(*this, kBand, ui::ScreenSize().width - 171);
    mStringCaption = ReviewCaption(*mRecordStore, mCustomerSerialNumber);
    FindControl(kInfoBand)->SetText(mStringCaption);
    const ui::Point row{mLayout.slotC.x + (mLayout.gridWidth - kRowWidth) / 2,
                        mLayout.slotC.y + mLayout.slotHeight + 5};
    reviewlook::PlaceFaceRow(*this, kRow, row);
    FindControl(kPicture)->SetPlacement(ui::Rect::FromSize(mLayout.slotA.x, mLayout.slotA.y,
                                                           mLayout.gridWidth, mLayout.gridHeight));
}

bool CDlgImageComment::ShowImage() {
    if (mCapture->Path().empty()) {
        return false;
    }
    const ui::Bitmap picture = UTILITY_LoadBitmapFile(mCapture->Path());
    if (picture.IsNull()) {
        return false;
    }
    UTILITY_SetButtonBitmapStretched(this, mPictureBitmap, picture, Control<ui::Button>(kPicture));
    return true;
}

void CDlgImageComment::OnDrawItem(int, ui::DrawItem& item) {
    reviewlook::DrawButton(item, kBand, kRow, mStringCaption);
}

void CDlgImageComment::OnBnClickedButtonImageCommentExit() {
    EndDialog(2);
}

void CDlgImageComment::OnBnClickedButtonImageCommentPrevious() {
    if (mCapture->Step(StepDirection::kPrevious)) {
        ShowImage();
    }
}

void CDlgImageComment::OnBnClickedButtonImageCommentNext() {
    if (mCapture->Step(StepDirection::kNext)) {
        ShowImage();
    }
}

void CDlgImageComment::OnBnClickedButtonImageCommentMailto() {
    MailToComment(mCapture->Path(), mPrompts);
}

void CDlgImageComment::OnBnClickedButtonImageCommentDetail() {
    {
        CDlgImageDetail detail(this);
        detail.SetMediaContext(mRecordStore, mCustomerSerialNumber, mStringImageFolder,
                               mStringVideoFolder, mCapture->Path());
        detail.DoModal();
    }
    // The detail dialog may have deleted the capture: a picture that no longer loads ends
    // this dialog too.
    if (!ShowImage()) {
        EndDialog(2);
    }
}

void CDlgImageComment::OnBnClickedButtonImageCommentDelete() {
    if (mCapture->Delete() == DeleteOutcome::kDeleted) {
        EndDialog(2);
    }
}

void CDlgImageComment::OnBnDoubleclickedButtonImageCommentPicture() {
    mCapture->PlayClip();
}
