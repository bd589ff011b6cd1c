// The media list: the thumbnails of the selected patient's captures with their names, opening
// a capture in the comment dialog, and the Camera and Setup commands, which open the camera
// window.
#include "app/CDlgOperationRoom.h"

#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "archive/ArchiveCommentVersions.h"
#include "archive/ArchiveLog.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveWorker.h"
#include "camera/CDlgCamera.h"
#include "platform/text/Format.h"
#include "review/CDlgImageComment.h"
#include "utility/bitmaps/Bitmaps.h"

using namespace operationroom;

namespace {

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 90;
const ui::Color kListBackground = ui::Rgb(66, 68, 79);
const ui::Color kCaptionText = ui::Rgb(238, 238, 238);
const ui::Color kTransparentMask = ui::Rgb(100, 99, 101);

}  // namespace

void CDlgOperationRoom::PrepareMediaList() {
    auto* list = Control<ui::ListView>(kMediaList);
    list->SetImageSize(kThumbnailWidth, kThumbnailHeight);
    list->SetColors(kListBackground, kListBackground, kCaptionText);
    list->Show();
}

void CDlgOperationRoom::ClearMediaList() {
    auto* list = Control<ui::ListView>(kMediaList);
    list->DeleteAllItems();
    list->RemoveAllImages();
}

void CDlgOperationRoom::RefreshMediaList() {
    ClearMediaList();
    for (const std::wstring& name : mPatients->MediaFileNames()) {
        AddMediaItem(name);
    }
}

void CDlgOperationRoom::AddMediaItem(const std::wstring& fileName) {
    auto* list = Control<ui::ListView>(kMediaList);
    list->SetRedraw(false);
    const ui::Bitmap thumbnail = UTILITY_LoadBitmapFile(mStringThumbnailFolder + fileName);
    const int image = list->AddImage(thumbnail, kTransparentMask);
    list->InsertItem(PatientWorkflow::MediaCaption(fileName), image);
    list->SetRedraw(true);
    list->Scroll(list->Count() * kThumbnailWidth, 0);
    list->Invalidate();
}

void CDlgOperationRoom::OnLvnItemActivateListMedia(int item) {
    auto* list = Control<ui::ListView>(kMediaList);
    if (item < 0 || item >= list->Count()) {
        return;
    }
    // The list shows thumbnails; the dialog opens the full picture of the same name.
    const std::wstring fileName = text::sprintf(L"%s.bmp", list->ItemText(item));
    const std::wstring path = text::sprintf(L"%s%s", mStringImageFolder, fileName);
    {
        CDlgImageComment comment(this);
        comment.SetMediaContext(mRecordStore.get(), mPatients->CustomerSerialNumber(),
                                mStringImageFolder, mStringVideoFolder, path);
        comment.DoModal();
    }
    QueueChangedArchiveComments();
    // The capture may have been deleted there.
    RefreshMediaList();
}

void CDlgOperationRoom::QueueChangedArchiveComments() {
    if (mArchiveWorker == nullptr || !mArchiveWorker->Settings().resendChangedComments) {
        return;
    }
    ArchiveQueue queue(ArchiveQueue::DefaultFolder());
    std::string error;
    const int queued =
        QueueChangedComments(*mRecordStore, queue, mPatients->CustomerSerialNumber(), error);
    if (queued > 0) {
        mArchiveWorker->Wake();
    } else if (queued < 0) {
        LogArchiveProblem("changed comments not queued: " + error);
    }
}

void CDlgOperationRoom::OnBnClickedButtonCamera() {
    if (!mPatients->RequireCustomer()) {
        return;
    }
    {
        CDlgCamera camera(this);
        camera.Prepare(CDlgCamera::kCaptureMode, mConfigurationContext.get(), mRecordStore.get(),
                       mPatients->CustomerSerialNumber());
        camera.SetArchiveQueued([worker = mArchiveWorker.get()] {
            if (worker != nullptr) {
                worker->Wake();
            }
        });
        camera.DoModal();
    }
    // The camera window may have filed new captures.
    RefreshMediaList();
}

void CDlgOperationRoom::OnBnClickedButtonSetup() {
    CDlgCamera camera(this);
    camera.Prepare(CDlgCamera::kSetupMode, mConfigurationContext.get(), mRecordStore.get(), -1);
    camera.DoModal();
}
