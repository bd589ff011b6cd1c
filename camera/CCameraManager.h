// The camera window's capture store: it holds the camera device and adds what the window needs
// around it — the grid of the four-pane view, the Temp folders into which captures are written
// (prepared, and cleared, only under the Temp lock), and the four-pane view in which the newest
// captures are shown beside the live picture (QuadRing), with the empty panes mirroring it.
//
// One per camera window, created by it before it is shown and closed when it is destroyed. It
// provides the camera the window's rules use (CameraPort). UI thread, except
// TellRecordingState (the window's recording-state worker).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "camera/CCameraDevice.h"
#include "camera/CameraPort.h"
#include "camera/CaptureTempLock.h"
#include "camera/QuadRing.h"
#include "media/SlotLayout.h"
#include "records/DatabaseSettings.h"

class CCameraManager final : public CameraPort {
  public:
    // The panes that mirror the live picture are video hosts with these ids (2014 to 2017).
    static constexpr int kFirstMirrorId = 2014;

    CCameraManager(ui::Dialog* parent, CaptureClock& clock, OperatorPrompts& prompts);
    ~CCameraManager() override;

    // Takes the Temp lock for a capture-mode window; false when another window holds it.
    bool LockTemp();
    const CaptureTempLock& TempLock() const { return mTempLock; }

    // Computes the grid, and for a patient (serial above 0, with the Temp lock held) clears
    // Temp and prepares the patient's folders; then opens the device. false when the device
    // did not open, or Temp is not this window's.
    bool Open(int32_t customerSerialNumber, const capture::VideoDevice& deviceMoniker,
              const std::wstring& deviceDisplayName);
    // Closes the device, drops the pane pictures and gives the Temp lock up, recording that the
    // window ended properly when Temp was its own (a window that stopped before taking Temp
    // leaves the lock file as it found it).
    void Close();
    // Creates folder `baseFolder`/database/`name` with images, images/thumbnail and videos below
    // it (never `baseFolder` itself), deleting it first when asked. Failures are ignored.
    void PrepareFolder(const std::wstring& baseFolder, const std::wstring& name, bool clearFirst);

    // CameraPort.
    bool StartPreview() override;
    bool StartRecording(const std::wstring& aviPath) override;
    void StopGraph() override;
    std::wstring PosterName() const override { return mDevice.VideoThumbnailName(); }
    bool CaptureStill() override;
    void AddToQuad(const std::wstring& fileName) override;
    bool SingleView() const override { return mRing.SingleView(); }
    void EnterQuadView() override;
    void EnterSingleView() override;
    void TellRecordingState(uint32_t value) override;

    const SlotLayout& Layout() const { return mLayout; }
    const QuadRing& Ring() const { return mRing; }
    // The picture of the capture pane `pane` shows; null when none (or it did not load).
    const ui::Bitmap& PanePicture(int pane) const { return mPanePictures[pane]; }
    CCameraDevice& Device() { return mDevice; }
    const std::wstring& TempImagesFolder() const { return mStringTempImagesFolder; }
    const std::wstring& TempVideosFolder() const { return mStringTempVideosFolder; }
    // Where a new capture's name counts as taken: Temp and the patient's folders.
    const CaptureNameFolders& TakenNames() const { return mTakenNames; }

  private:
    void UpdateVideoRect();
    void InitSlots();
    // Puts the video host on `rect` and shows the live picture in it and in the empty panes.
    void MoveLivePicture(const ui::Rect& rect);

    SlotLayout mLayout;
    ui::Rect mFullView;
    ui::Dialog* mParent;
    CCameraDevice mDevice;
    ui::Rect mVideoRect;
    int32_t mSlotCount = 0;
    std::array<ui::Rect, QuadRing::kPaneCount> mPaneRects;
    std::array<ui::Bitmap, QuadRing::kPaneCount> mPanePictures;
    std::array<ui::StaticHost*, QuadRing::kPaneCount> mMirrors{};
    std::wstring mStringProgramFolder;
    DatabaseSettings mSettings;  // the media folder and the workstation tag of the names
    std::wstring mStringTempImagesFolder;
    std::wstring mStringTempVideosFolder;
    std::wstring mStringTempThumbnailFolder;
    QuadRing mRing;
    CaptureTempLock mTempLock;
    bool mTempIsOurs = false;  // this window cleared Temp and recorded its patient in the lock
    CaptureNameFolders mTakenNames;
};
