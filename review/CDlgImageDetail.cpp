// The detail dialog's message table, layout, panel, picture and comment editor.
#include "review/CDlgImageDetail.h"

#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "review/ImageDetailWorkflow.h"
#include "review/ReviewIds.h"
#include "review/ReviewWindowLook.h"
#include "review/mail/MailTo.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"

using namespace imagedetail;

namespace {

const ui::Color kBackground = ui::Rgb(26, 26, 26);
const ui::Color kPanel = ui::Rgb(102, 102, 102);
const ui::Color kCommentText = ui::Rgb(255, 255, 255);
const ui::Font kCommentFont{L"Courier New", 200};
constexpr uint8_t kOpacity = 200;
constexpr reviewlook::Band kBand{kHeader, kInfoBand, kExit};
constexpr reviewlook::Face kRow[] = {{kPrevious, resources::kBitmapPrevious},
                                     {kMailTo, resources::kBitmapMailTo},
                                     {kDetail, resources::kBitmapDetail},
                                     {kDelete, resources::kBitmapDelete},
                                     {kNext, resources::kBitmapNext}};
constexpr int kRowWidth = 450;

}  // namespace

CDlgImageDetail::CDlgImageDetail(ui::Window* parent)
    : ui::Dialog(resources::kDialogImageDetail, parent) {
    OnClick(kExit, &CDlgImageDetail::OnBnClickedButtonImageDetailExit);
    OnClick(kPrevious, &CDlgImageDetail::OnBnClickedButtonImageDetailPrevious);
    OnClick(kNext, &CDlgImageDetail::OnBnClickedButtonImageDetailNext);
    OnClick(kMailTo, &CDlgImageDetail::OnBnClickedButtonImageDetailMailto);
    OnClick(kDelete, &CDlgImageDetail::OnBnClickedButtonImageDetailDelete);
    OnOwnerDraw(&CDlgImageDetail::OnDrawItem);
    OnPaint(&CDlgImageDetail::OnPaintPanel);
    OnControlColor(&CDlgImageDetail::OnControlColorComment);
}

CDlgImageDetail::~CDlgImageDetail() = default;

void CDlgImageDetail::SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
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

bool CDlgImageDetail::OnInitDialog() {
    if (!mRecordStore) {
        EndDialog(2);
        return true;
    }
    mWorkflow = std::make_unique<ImageDetailWorkflow>(
        MediaContext{*mRecordStore, mCustomerSerialNumber, mStringImageFolder, mStringVideoFolder},
        mStringImagePath, mPrompts);
    LayOutWindow();
    ShowImage();
    // The stored comment shows even when the picture does not load, so that Exit stores only
    // what the operator has seen.
    FindControl(kComment)->SetText(mWorkflow->OpeningComment());
    SetOpacity(kOpacity);
    return true;
}

void CDlgImageDetail::LayOutWindow() {
    reviewlook::LayOutWindow(*this, kBackground);
    reviewlook::PlaceBand(*this, kBand, ui::ScreenSize().width - 171);
    mStringCaption = ReviewCaption(*mRecordStore, mCustomerSerialNumber);
    FindControl(kInfoBand)->SetText(mStringCaption);
    const ui::Point row{mLayout.slotC.x + (mLayout.gridWidth - kRowWidth) / 2,
                        mLayout.slotC.y + mLayout.slotHeight + 5};
    reviewlook::PlaceFaceRow(*this, kRow, row);
    FindControl(kPicture)->SetPlacement(ui::Rect::FromSize(mLayout.slotA.x + mLayout.slotWidth / 2,
                                                           mLayout.slotA.y + 30, mLayout.slotWidth,
                                                           mLayout.slotHeight));
    ui::Window* comment = FindControl(kComment);
    comment->SetPlacement(ui::Rect::FromSize(mLayout.slotC.x + 350, mLayout.slotC.y + 50,
                                             mLayout.gridWidth - 700, mLayout.slotHeight - 100));
    comment->SetFont(kCommentFont);
}

void CDlgImageDetail::ShowImage() {
    if (mWorkflow->Path().empty()) {
        return;
    }
    const ui::Bitmap picture = UTILITY_LoadBitmapFile(mWorkflow->Path());
    if (!picture.IsNull()) {
        UTILITY_SetButtonBitmapStretched(this, mPictureBitmap, picture,
                                         Control<ui::Button>(kPicture));
    }
}

void CDlgImageDetail::OnDrawItem(int, ui::DrawItem& item) {
    reviewlook::DrawButton(item, kBand, kRow, mStringCaption);
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
        ShowImage();
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
