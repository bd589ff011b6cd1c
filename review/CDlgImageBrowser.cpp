// The image browser's message table, layout, slot pictures and painting.
#include "review/CDlgImageBrowser.h"

#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "review/CDlgImageComment.h"
#include "review/ImageBrowserWorkflow.h"
#include "review/ReviewIds.h"
#include "review/ReviewWindowLook.h"
#include "review/mail/MailTo.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"

using namespace imagebrowser;

namespace {

const ui::Color kBackground = ui::Rgb(66, 68, 79);
// Empty slots: a shade darker than the window, so the grid stays visible.
const ui::Color kSlotBackground = ui::Rgb(52, 54, 63);
constexpr reviewlook::Band kBand{kHeader, kInfoBand, kExit};
constexpr reviewlook::Face kRow[] = {{kBack, resources::kBitmapBrowserBack},
                                     {kMailTo, resources::kBitmapBrowserMailTo},
                                     {kComment, resources::kBitmapBrowserComment},
                                     {kDelete, resources::kBitmapBrowserDelete}};
constexpr int kRowWidth = 360;

}  // namespace

CDlgImageBrowser::CDlgImageBrowser(ui::Window* parent)
    : ui::Dialog(resources::kDialogImageBrowser, parent) {
    OnClick(kExit, &CDlgImageBrowser::OnBnClickedButtonImageBrowserBack);
    OnClick(kBack, &CDlgImageBrowser::OnBnClickedButtonImageBrowserBack);
    OnClick(kMailTo, &CDlgImageBrowser::OnBnClickedButtonImageBrowserMailto);
    OnClick(kComment, &CDlgImageBrowser::OnBnClickedButtonImageBrowserComment);
    OnClick(kDelete, &CDlgImageBrowser::OnBnClickedButtonImageBrowserDelete);
    OnClick(kSlots[0], &CDlgImageBrowser::OnBnClickedButtonImageBrowserSlot<0>);
    OnClick(kSlots[1], &CDlgImageBrowser::OnBnClickedButtonImageBrowserSlot<1>);
    OnClick(kSlots[2], &CDlgImageBrowser::OnBnClickedButtonImageBrowserSlot<2>);
    OnClick(kSlots[3], &CDlgImageBrowser::OnBnClickedButtonImageBrowserSlot<3>);
    OnDoubleClick(kSlots[0], &CDlgImageBrowser::OnBnDoubleclickedButtonImageBrowserSlot<0>);
    OnDoubleClick(kSlots[1], &CDlgImageBrowser::OnBnDoubleclickedButtonImageBrowserSlot<1>);
    OnDoubleClick(kSlots[2], &CDlgImageBrowser::OnBnDoubleclickedButtonImageBrowserSlot<2>);
    OnDoubleClick(kSlots[3], &CDlgImageBrowser::OnBnDoubleclickedButtonImageBrowserSlot<3>);
    OnOwnerDraw(&CDlgImageBrowser::OnDrawItem);
    OnControlColor(&CDlgImageBrowser::OnControlColorSlot);
}

CDlgImageBrowser::~CDlgImageBrowser() = default;

void CDlgImageBrowser::SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                                       const std::wstring& imageFolder,
                                       const std::wstring& videoFolder) {
    mLayout = ComputeSlotLayout(ui::ScreenSize().width, ui::ScreenSize().height);
    mRecordStore = recordStore;
    mCustomerSerialNumber = customerSerialNumber;
    mStringImageFolder = imageFolder;
    mStringVideoFolder = videoFolder;
}

bool CDlgImageBrowser::OnInitDialog() {
    if (!mRecordStore) {
        EndDialog(2);
        return true;
    }
    mWorkflow = std::make_unique<ImageBrowserWorkflow>(
        MediaContext{*mRecordStore, mCustomerSerialNumber, mStringImageFolder, mStringVideoFolder},
        mPrompts);
    LayOutWindow();
    if (LoadImageSlots() == 0) {
        mPrompts.ShowMessage(L"No images shows up, please take image first.");
        EndDialog(2);
    }
    return true;
}

void CDlgImageBrowser::LayOutWindow() {
    reviewlook::LayOutWindow(*this, kBackground);
    const int screenWidth = ui::ScreenSize().width;
    reviewlook::PlaceBand(*this, kBand, screenWidth - 246);
    mStringCaption = ReviewCaption(*mRecordStore, mCustomerSerialNumber);
    FindControl(kInfoBand)->SetText(mStringCaption);

    const ui::Point row{mLayout.slotC.x + (mLayout.gridWidth - kRowWidth) / 2,
                        mLayout.slotC.y + mLayout.slotHeight + 5};
    reviewlook::PlaceFaceRow(*this, kRow, row);
    FindControl(kMedicalRec)->Hide();
    for (int slot = 0; slot < ImageBrowserWorkflow::kSlotCount; ++slot) {
        const ui::Point origin = mLayout.Origin(slot);
        FindControl(kSlots[slot])
            ->SetPlacement(
                ui::Rect::FromSize(origin.x, origin.y, mLayout.slotWidth, mLayout.slotHeight));
    }
    FindControl(kSelIndicator)->Hide();
    mWorkflow->SelectSlot(3);
    ShowSelection();
}

int32_t CDlgImageBrowser::LoadImageSlots() {
    const int32_t count = mWorkflow->LoadImageSlots();
    for (int slot = 0; slot < ImageBrowserWorkflow::kSlotCount; ++slot) {
        auto* button = Control<ui::Button>(kSlots[slot]);
        mSlotBitmaps[slot] = {};
        button->SetBitmap(mSlotBitmaps[slot]);
        const std::wstring& path = mWorkflow->SlotPaths()[slot];
        if (path.empty()) {
            continue;
        }
        const ui::Bitmap picture = UTILITY_LoadBitmapFile(path);
        if (!picture.IsNull()) {
            UTILITY_SetButtonBitmapStretched(this, mSlotBitmaps[slot], picture, button);
        }
    }
    ShowSelection();
    return count;
}

void CDlgImageBrowser::ShowSelection() {
    ui::Window* frame = FindControl(kSelectionFrame);
    const int32_t slot = mWorkflow->SelectedSlot();
    if (slot == ImageBrowserWorkflow::kNoSelection) {
        frame->Hide();
        return;
    }
    const ui::Point origin = mLayout.Origin(slot);
    frame->SetPlacement(ui::Rect::FromSize(origin.x - 5, origin.y - 10, mLayout.slotWidth + 10,
                                           mLayout.slotHeight + 13));
    frame->Show();
    Invalidate();
}

void CDlgImageBrowser::OnDrawItem(int, ui::DrawItem& item) {
    reviewlook::DrawButton(item, kBand, kRow, mStringCaption);
}

void CDlgImageBrowser::OnControlColorSlot(ui::ControlColor& request) {
    for (const int slot : kSlots) {
        if (request.controlId == slot) {
            request.background = kSlotBackground;
        }
    }
}

void CDlgImageBrowser::OnBnClickedButtonImageBrowserBack() {
    EndDialog(2);
}

void CDlgImageBrowser::OnBnClickedButtonImageBrowserMailto() {
    MailToBrowser(mWorkflow->SelectedSlot(), mWorkflow->SlotPaths(), mPrompts);
}

void CDlgImageBrowser::OnBnClickedButtonImageBrowserComment() {
    const std::optional<std::wstring> path = mWorkflow->CommentPath();
    if (!path) {
        return;
    }
    {
        CDlgImageComment comment(this);
        comment.SetMediaContext(mRecordStore, mCustomerSerialNumber, mStringImageFolder,
                                mStringVideoFolder, *path);
        comment.DoModal();
    }
    // The comment and detail dialogs may have deleted captures.
    if (LoadImageSlots() == 0) {
        EndDialog(2);
    }
}

void CDlgImageBrowser::OnBnClickedButtonImageBrowserDelete() {
    const int32_t slot = mWorkflow->SelectedSlot();
    if (mWorkflow->DeleteSelected() == DeleteOutcome::kDeleted &&
        slot != ImageBrowserWorkflow::kNoSelection) {
        mSlotBitmaps[slot] = {};
        Control<ui::Button>(kSlots[slot])->SetBitmap(mSlotBitmaps[slot]);
    }
}

template <int slot>
void CDlgImageBrowser::OnBnClickedButtonImageBrowserSlot() {
    mWorkflow->SelectSlot(slot);
    ShowSelection();
}

template <int slot>
void CDlgImageBrowser::OnBnDoubleclickedButtonImageBrowserSlot() {
    mWorkflow->PlayClip(slot);
}
