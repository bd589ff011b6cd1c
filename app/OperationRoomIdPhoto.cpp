// The identity photo: shown on the ID PHOTO button (the placeholder when the patient has
// none), and imported from any image file the platform reads.
#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/BitmapFileReplace.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/boxes/FileDialog.h"
#include "utility/files/Files.h"

using namespace operationroom;

void CDlgOperationRoom::ShowIdPhoto() {
    auto* button = Control<ui::Button>(kIdPhoto);
    // Most patients have no photo: only an existing file is loaded.
    const ui::Bitmap photo = UTILITY_FileExists(mStringIdPhotoPath)
                                 ? UTILITY_LoadBitmapFile(mStringIdPhotoPath)
                                 : ui::Bitmap();
    if (photo.IsNull()) {
        UTILITY_SetButtonBitmap(button, mIdPhotoBitmap, resources::kBitmapIdPhotoPlaceholder);
        return;
    }
    UTILITY_SetButtonBitmapFit(this, mIdPhotoBitmap, photo, button);
}

void CDlgOperationRoom::OnBnClickedButtonIdPhoto() {
    if (!mPatients->RequireCustomer()) {
        return;
    }
    std::wstring path;
    if (!UTILITY_OpenFileDialog(path, L"image", true) || path.size() < 4) {
        return;
    }
    const ui::Bitmap picture = ui::Bitmap::LoadImageFile(path);
    if (picture.IsNull()) {
        return;
    }
    // Both files are written from the one decoded picture, each complete or not at all, and
    // the button changes only once the patient's own file is in place. Failures stay silent:
    // the button keeps its previous picture.
    const std::wstring scratch =
        text::sprintf(L"%s/%s/%s/%s", mStringProgramFolder, media::kDatabaseFolder,
                      media::kIdPhotoFolder, media::kTempIdPhotoFileName);
    if (!ReplaceBitmapFile(picture, scratch) || !ReplaceBitmapFile(picture, mStringIdPhotoPath)) {
        return;
    }
    ShowIdPhoto();
}
