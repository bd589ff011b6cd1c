// The capture store: folders, the four-pane view and the camera behind the window's rules.
#include "camera/CCameraManager.h"

#include <filesystem>

#include "camera/Xu.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/Screen.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/files/Files.h"

namespace {

void CreateFolder(const std::wstring& folder) {
    std::error_code ignored;
    std::filesystem::create_directory(text::ToPath(folder), ignored);
}

}  // namespace

CCameraManager::CCameraManager(ui::Dialog* parent, CaptureClock& clock, OperatorPrompts& prompts)
    : mParent(parent),
      mDevice(clock, prompts),
      mStringProgramFolder([] {
          std::wstring folder;
          UTILITY_GetModuleFolder(folder);
          return folder;
      }()),
      mSettings(ReadDatabaseSettings()),
      mStringTempImagesFolder(media::TempImagesFolder(mStringProgramFolder)),
      mStringTempVideosFolder(media::TempVideosFolder(mStringProgramFolder)),
      mStringTempThumbnailFolder(media::TempThumbnailFolder(mStringProgramFolder)),
      mRing(mStringTempImagesFolder, mStringTempThumbnailFolder, mStringTempVideosFolder),
      mTempLock(mStringProgramFolder) {}

CCameraManager::~CCameraManager() = default;

bool CCameraManager::LockTemp() {
    return mTempLock.Acquire();
}

bool CCameraManager::Open(int32_t customerSerialNumber, const capture::VideoDevice& deviceMoniker,
                          const std::wstring& deviceDisplayName) {
    const ui::Size screen = ui::ScreenSize();
    mLayout = ComputeSlotLayout(screen.width, screen.height);
    mFullView =
        ui::Rect::FromSize(mLayout.slotA.x, mLayout.slotA.y, mLayout.gridWidth, mLayout.gridHeight);
    UpdateVideoRect();
    InitSlots();
    if (customerSerialNumber > 0) {
        // Temp is shared by every window of every instance: cleared only by its holder.
        if (!mTempLock.Held() || !mTempLock.MarkRunning(customerSerialNumber)) {
            return false;
        }
        mTempIsOurs = true;
        // Temp stays on this workstation; the patient's folders are in the media folder.
        const std::wstring mediaFolder = MediaFolder(mSettings, mStringProgramFolder);
        PrepareFolder(mStringProgramFolder, media::kTempFolder, true);
        PrepareFolder(mediaFolder, text::sprintf(L"%d", customerSerialNumber), false);
        mTakenNames = {{mStringTempImagesFolder,
                        media::PatientImagesFolder(mediaFolder, customerSerialNumber)},
                       {mStringTempVideosFolder,
                        media::PatientVideosFolder(mediaFolder, customerSerialNumber)},
                       CaptureNameTag(mSettings)};
        mDevice.SetTakenNames(mTakenNames);
    }
    for (int pane = 0; pane < QuadRing::kPaneCount; ++pane) {
        ui::ControlTemplate mirror;
        mirror.id = kFirstMirrorId + pane;
        mirror.kind = ui::ControlKind::StaticHost;
        mirror.style = ui::kStyleHidden;
        mMirrors[pane] =
            dynamic_cast<ui::StaticHost*>(mParent->AddControl(mirror, mPaneRects[pane]));
    }
    return mDevice.Create(mParent, mStringTempImagesFolder, mStringTempThumbnailFolder, mVideoRect,
                          deviceMoniker, deviceDisplayName);
}

void CCameraManager::Close() {
    mDevice.Close();
    for (int pane = 0; pane < mSlotCount; ++pane) {
        mPanePictures[pane] = ui::Bitmap();
    }
    if (mTempIsOurs) {
        mTempLock.MarkEnded();
        mTempIsOurs = false;
    }
    mTempLock.Release();
}

void CCameraManager::PrepareFolder(const std::wstring& baseFolder, const std::wstring& name,
                                   bool clearFirst) {
    std::wstring folder = text::sprintf(L"%s/%s", baseFolder, media::kDatabaseFolder);
    CreateFolder(folder);
    folder += L"/" + name;
    if (clearFirst) {
        UTILITY_DeleteFolder(folder);
    }
    CreateFolder(folder);
    CreateFolder(folder + L"/images");
    CreateFolder(folder + L"/videos");
    CreateFolder(folder + L"/images/thumbnail");
}

void CCameraManager::UpdateVideoRect() {
    mVideoRect = mRing.SingleView() ? mFullView
                                    : ui::Rect::FromSize(mLayout.slotA.x, mLayout.slotA.y,
                                                         mLayout.slotWidth, mLayout.slotHeight);
}

void CCameraManager::InitSlots() {
    mSlotCount = QuadRing::kPaneCount;
    for (int pane = 0; pane < mSlotCount; ++pane) {
        const ui::Point origin = mLayout.Origin(pane);
        mPaneRects[pane] =
            ui::Rect::FromSize(origin.x, origin.y, mLayout.slotWidth, mLayout.slotHeight);
        mPanePictures[pane] = ui::Bitmap();
    }
}

bool CCameraManager::StartPreview() {
    return mDevice.Start(L"", false);
}

bool CCameraManager::StartRecording(const std::wstring& aviPath) {
    return mDevice.Start(aviPath, true);
}

void CCameraManager::StopGraph() {
    mDevice.StopGraph();
}

bool CCameraManager::CaptureStill() {
    const std::wstring name = mDevice.NextStillName();
    // A still that was not saved takes no pane: it would evict a real capture for nothing.
    if (!mDevice.SaveStill(name)) {
        return false;
    }
    AddToQuad(name);
    return true;
}

void CCameraManager::AddToQuad(const std::wstring& fileName) {
    const int pane = mRing.Add(fileName);
    if (pane < 0) {
        return;
    }
    mPanePictures[pane] = UTILITY_LoadBitmapFile(mStringTempImagesFolder + fileName);
    MoveLivePicture(mPaneRects[mRing.NextSlot()]);
}

void CCameraManager::EnterQuadView() {
    mRing.EnterQuadView();
    MoveLivePicture(mPaneRects[0]);
    FitVideoWindow(mDevice.Graph());
}

void CCameraManager::EnterSingleView() {
    mRing.EnterSingleView();
    MoveLivePicture(mFullView);
    FitVideoWindow(mDevice.Graph());
}

void CCameraManager::MoveLivePicture(const ui::Rect& rect) {
    mVideoRect = rect;
    std::vector<std::shared_ptr<ui::FrameSlot>> slots;
    if (ui::StaticHost* host = mDevice.VideoHost()) {
        host->SetPlacement(rect);
        host->Show();
        slots.push_back(host->Slot());
    }
    for (int pane = 0; pane < QuadRing::kPaneCount; ++pane) {
        ui::StaticHost* mirror = mMirrors[pane];
        if (mirror == nullptr) {
            continue;
        }
        if (!mRing.SingleView() && pane != mRing.NextSlot() && mRing.IsEmpty(pane)) {
            mirror->Show();
            slots.push_back(mirror->Slot());
        } else {
            mirror->Hide();
        }
    }
    mDevice.Picture().ShowIn(std::move(slots));
}

void CCameraManager::TellRecordingState(uint32_t value) {
    Xu::Instance().SetRecordingState(mDevice.Graph().sourceFilter.get(), value);
}
