// The detail dialog's message table, layout, panel, picture and comment editor.
#include "review/CDlgImageDetail.h"

#include "resources/ResourceIds.h"
#include "review/ImageDetailWorkflow.h"
#include "review/ReviewIds.h"
#include "review/mail/MailTo.h"

using namespace imagedetail;

namespace {

const ui::Color kPanel = ui::Rgb(102, 102, 102);
const ui::Color kCommentText = ui::Rgb(255, 255, 255);
const ui::Font kCommentFont{L"Courier New", 200};
constexpr uint8_t kOpacity = 200;
const CaptureViewDialog::Controls kControls{
    {kHeader, kInfoBand, kExit}, kPrevious, kMailTo, kDetail, kDelete, kNext, kPicture};

}  // namespace

CDlgImageDetail::CDlgImageDetail(ui::Window* parent)
    : CaptureViewDialog(resources::kDialogImageDetail, parent, kControls) {
    OnClick(kExit, &CDlgImageDetail::OnBnClickedButtonImageDetailExit);
    OnClick(kPrevious, &CDlgImageDetail::OnBnClickedButtonImageDetailPrevious);
    OnClick(kNext, &CDlgImageDetail::OnBnClickedButtonImageDetailNext);
    OnClick(kMailTo, &CDlgImageDetail::OnBnClickedButtonImageDetailMailto);
    OnClick(kDelete, &CDlgImageDetail::OnBnClickedButtonImageDetailDelete);
    OnPaint(&CDlgImageDetail::OnPaintPanel);
    OnControlColor(&CDlgImageDetail::OnControlColorComment);
}

CDlgImageDetail::~CDlgImageDetail() = default;

bool CDlgImageDetail::OnInitDialog() {
    if (!HasMediaContext()) {
        return true;
    }
    mWorkflow = std::make_unique<ImageDetailWorkflow>(Context(), mStringImagePath, mPrompts);
    LayOutWindow();
    ShowPicture(mWorkflow->Path());
    // The stored comment shows even when the picture does not load, so that Exit stores only
    // what the operator has seen.
    FindControl(kComment)->SetText(mWorkflow->OpeningComment());
    SetOpacity(kOpacity);
    return true;
}

void CDlgImageDetail::LayOutWindow() {
    LayOutFrame();
    FindControl(kPicture)->SetPlacement(ui::Rect::FromSize(mLayout.slotA.x + mLayout.slotWidth / 2,
                                                           mLayout.slotA.y + 30, mLayout.slotWidth,
                                                           mLayout.slotHeight));
    ui::Window* comment = FindControl(kComment);
    comment->SetPlacement(ui::Rect::FromSize(mLayout.slotC.x + 350, mLayout.slotC.y + 50,
                                             mLayout.gridWidth - 700, mLayout.slotHeight - 100));
    comment->SetFont(kCommentFont);
}

void CDlgImageDetail::OnPaintPanel(ui::DrawContext& dc) {
    dc.FillRect(ui::Rect::FromSize(mLayout.slotA.x + 20, mLayout.slotA.y + 20,
                                   mLayout.gridWidth - 40, mLayout.gridHeight - 40),
                kPanel);
}

void CDlgImageDetail::OnControlColorComment(ui::ControlColor& request) {
    if (request.controlId == kComment) {
        request.text = kCommentText;
        request.background = kPanel;
    }
}

void CDlgImageDetail::OnBnClickedButtonImageDetailExit() {
    ui::Window* comment = FindControl(kComment);
    mWorkflow->StoreOnExit(comment->Text());
    comment->SetText(L"");
    EndDialog(2);
}

void CDlgImageDetail::Step(StepDirection direction) {
    ui::Window* comment = FindControl(kComment);
    const std::optional<std::wstring> stored = mWorkflow->StoreAndStep(direction, comment->Text());
    if (stored) {
        comment->SetText(*stored);
        ShowPicture(mWorkflow->Path());
    }
}

void CDlgImageDetail::OnBnClickedButtonImageDetailPrevious() {
    Step(StepDirection::kPrevious);
}

void CDlgImageDetail::OnBnClickedButtonImageDetailNext() {
    Step(StepDirection::kNext);
}

void CDlgImageDetail::OnBnClickedButtonImageDetailMailto() {
    MailToDetail(mWorkflow->Path(), mPrompts);
}

void CDlgImageDetail::OnBnClickedButtonImageDetailDelete() {
    if (mWorkflow->Capture().Delete() == DeleteOutcome::kDeleted) {
        EndDialog(2);
    }
}
