// The comment and detail dialogs' shared frame and picture.
#include "review/CaptureViewDialog.h"

#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"

namespace {

const ui::Color kBackground = ui::Rgb(26, 26, 26);
constexpr int kRowWidth = 450;

}  // namespace

CaptureViewDialog::CaptureViewDialog(int templateId, ui::Window* parent, const Controls& controls)
    : ui::Dialog(templateId, parent),
      mControls(controls),
      mRow{{{controls.previous, resources::kBitmapPrevious},
            {controls.mailTo, resources::kBitmapMailTo},
            {controls.detail, resources::kBitmapDetail},
            {controls.remove, resources::kBitmapDelete},
            {controls.next, resources::kBitmapNext}}} {
    OnOwnerDraw(&CaptureViewDialog::OnDrawItem);
}

void CaptureViewDialog::SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
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

bool CaptureViewDialog::HasMediaContext() {
    if (!mRecordStore) {
        EndDialog(2);
        return false;
    }
    return true;
}

MediaContext CaptureViewDialog::Context() const {
    return {*mRecordStore, mCustomerSerialNumber, mStringImageFolder, mStringVideoFolder};
}

void CaptureViewDialog::LayOutFrame() {
    reviewlook::LayOutWindow(*this, kBackground);
    reviewlook::PlaceBand(*this, mControls.band, ui::ScreenSize().width - 171);
    mStringCaption = ReviewCaption(*mRecordStore, mCustomerSerialNumber);
    FindControl(mControls.band.info)->SetText(mStringCaption);
    const ui::Point row{mLayout.slotC.x + (mLayout.gridWidth - kRowWidth) / 2,
                        mLayout.slotC.y + mLayout.slotHeight + 5};
    reviewlook::PlaceFaceRow(*this, mRow, row);
}

bool CaptureViewDialog::ShowPicture(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const ui::Bitmap picture = UTILITY_LoadBitmapFile(path);
    if (picture.IsNull()) {
        return false;
    }
    UTILITY_SetButtonBitmapStretched(this, mPictureBitmap, picture,
                                     Control<ui::Button>(mControls.picture));
    return true;
}

void CaptureViewDialog::OnDrawItem(int, ui::DrawItem& item) {
    reviewlook::DrawButton(item, mControls.band, mRow, mStringCaption);
}
