// The comment dialog's message table, layout and picture.
#include "review/CDlgImageComment.h"

#include "resources/ResourceIds.h"
#include "review/CDlgImageDetail.h"
#include "review/CaptureWalk.h"
#include "review/ReviewIds.h"
#include "review/mail/MailTo.h"

using namespace imagecomment;

namespace {

const CaptureViewDialog::Controls kControls{
    {kHeader, kInfoBand, kExit}, kPrevious, kMailTo, kDetail, kDelete, kNext, kPicture};

}  // namespace

CDlgImageComment::CDlgImageComment(ui::Window* parent)
    : CaptureViewDialog(resources::kDialogImageComment, parent, kControls) {
    OnClick(kExit, &CDlgImageComment::OnBnClickedButtonImageCommentExit);
    OnClick(kPrevious, &CDlgImageComment::OnBnClickedButtonImageCommentPrevious);
    OnClick(kNext, &CDlgImageComment::OnBnClickedButtonImageCommentNext);
    OnClick(kMailTo, &CDlgImageComment::OnBnClickedButtonImageCommentMailto);
    OnClick(kDetail, &CDlgImageComment::OnBnClickedButtonImageCommentDetail);
    OnClick(kDelete, &CDlgImageComment::OnBnClickedButtonImageCommentDelete);
    OnDoubleClick(kPicture, &CDlgImageComment::OnBnDoubleclickedButtonImageCommentPicture);
}

CDlgImageComment::~CDlgImageComment() = default;

bool CDlgImageComment::OnInitDialog() {
    if (!HasMediaContext()) {
        return true;
    }
    mCapture = std::make_unique<CaptureWalk>(Context(), mStringImagePath, mPrompts);
    LayOutWindow();
    ShowPicture(mCapture->Path());
    return true;
}

void CDlgImageComment::LayOutWindow() {
    LayOutFrame();
    FindControl(kPicture)->SetPlacement(ui::Rect::FromSize(mLayout.slotA.x, mLayout.slotA.y,
                                                           mLayout.gridWidth, mLayout.gridHeight));
}

void CDlgImageComment::OnBnClickedButtonImageCommentExit() {
    EndDialog(2);
}

void CDlgImageComment::OnBnClickedButtonImageCommentPrevious() {
    if (mCapture->Step(StepDirection::kPrevious)) {
        ShowPicture(mCapture->Path());
    }
}

void CDlgImageComment::OnBnClickedButtonImageCommentNext() {
    if (mCapture->Step(StepDirection::kNext)) {
        ShowPicture(mCapture->Path());
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
    if (!ShowPicture(mCapture->Path())) {
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
