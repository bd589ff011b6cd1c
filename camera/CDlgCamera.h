// The camera window: the full-screen modal window in which the operator works the camera for one
// patient (capture mode), or which hosts the running camera under the setup dialog (setup mode).
// It shows the live picture in a single view or beside the newest captures in a four-pane view,
// takes stills, records clips with a running clock, opens the image browser on the captures, and
// on Exit files them under the patient. The camera's keys A and B act as the still and record
// buttons; unplugging the camera ends a recording and files before the window closes.
//
// The window binds: the rules live in CameraSession (stills, recordings), CaptureFiling, the
// Temp lock and recovery, and CCameraManager (the camera and the four-pane view). Split by job:
// CDlgCamera.cpp (message table, start-up, actions, shutdown), CameraWindowPaint.cpp.
//
// In setup mode the window shows itself during its initialisation and runs the setup dialog
// modally over it, on the UI thread; clicks and the camera's keys are not acted on meanwhile,
// and the dialog's end closes the window.
//
// Threads: the window owns every worker it starts — the key poller, the removal check, and the
// session's clock and recording-state worker — and joins them in OnDestroy before the graph
// stops and before the manager goes. Workers reach the window only through posted messages and
// timers, which the window layer drops once the window is gone. UI thread otherwise.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "camera/CameraWindowLayout.h"
#include "camera/CaptureClock.h"
#include "media/SlotLayout.h"
#include "platform/capture/VideoDevice.h"
#include "platform/ui/Dialog.h"
#include "records/Records.h"
#include "utility/boxes/SkinnedPrompts.h"
#include "utility/system/DeviceHelpers.h"

class CCameraManager;
class CDlgSetup;
class CameraSession;
class DATABASECONTEXT;
class DeviceRemovalCheck;
class KeyPoller;

class CDlgCamera : public ui::Dialog {
  public:
    enum Mode : int32_t { kCaptureMode = 0, kSetupMode = 1 };
    // The exit command; the window has no control with this id.
    static constexpr int kCommandExit = 1050;

    explicit CDlgCamera(ui::Window* parent, CaptureClock& clock = SystemCaptureClock());
    ~CDlgCamera() override;

    // Before the modal run: the mode, the main window's configuration context block (kept,
    // never read), its record store and the patient (-1 in setup mode). Creates the manager.
    void Prepare(int32_t mode, uint8_t* configurationContext, DATABASECONTEXT* recordStore,
                 int32_t customerSerialNumber);

    // Called after filing queued captures for the image archive (when one is configured), to
    // wake whoever sends them; may be empty.
    void SetArchiveQueued(std::function<void()> queued) { mArchiveQueued = std::move(queued); }

    // What the window shows, for those who look at it.
    CCameraManager* Manager() const { return mManager.get(); }
    const std::wstring& TitleText() const { return mStringTitle; }
    std::wstring ClockText() const;
    bool IsRecording() const;
    bool InputEnabled() const { return mInputEnabled; }
    // The picture rectangle of a button in client coordinates; the close mark's.
    const ui::Rect& ButtonRect(CameraWindowLayout::Button button) const {
        return mButtonRects[button];
    }
    const ui::Rect& CloseRect() const { return mCloseRect; }

  protected:
    bool OnInitDialog() override;
    // Enter does nothing.
    void OnOK() override {}
    // Escape and the close message: the window closes without filing (a recording is ended).
    void OnCancel() override;
    void OnDestroy() override;

  private:
    // Start-up.
    bool OpenCamera();
    void LayOutWindow();
    void StartWorkers();

    // Messages.
    void OnClickAt(ui::Point point);
    void OnDeviceChanged(uint32_t event);
    void OnHotKeyPressed(int id);
    void OnCommandExit();

    // Actions.
    void TakeStill();
    void ToggleRecording();
    void SwitchView();
    void OpenBrowser();
    void ExitAndFile();
    // Files Temp for the patient and closes; on a failure keeps the window open for Exit.
    void FileAndClose();
    // The camera is gone (the removal check found it absent).
    void OnCameraGone();
    // Setup mode: runs the setup dialog over this window, then closes it.
    void RunSetup();

    // Painting (CameraWindowPaint.cpp).
    void OnPaintWindow(ui::DrawContext& dc);
    void PaintTitleBand(ui::DrawContext& dc);
    void PaintButtons(ui::DrawContext& dc);
    void PaintPanes(ui::DrawContext& dc);
    void PaintFrames(ui::DrawContext& dc, bool flash);
    void PaintClock(ui::DrawContext& dc);

    CaptureClock& mClock;
    SkinnedPrompts mPrompts{this};
    std::vector<capture::VideoDevice> mDevices;  // full display names, never cut
    int32_t mSelectedDevice = 0;
    DeviceNotifyHandle mDeviceNotify;
    bool mFlash = false;
    uint8_t* mConfigurationContext = nullptr;
    DATABASECONTEXT* mRecordStore = nullptr;
    std::unique_ptr<CCameraManager> mManager;
    int32_t mMode = kCaptureMode;
    ui::Font mSmallFont{L"Courier New", 150};
    ui::Font mLargeFont{L"Courier New", 250};
    int32_t mCustomerSerialNumber = -1;
    CustomerRecord mCustomerRecord;
    std::wstring mStringTitle;
    std::wstring mStringProgramFolder;
    std::function<void()> mArchiveQueued;
    std::atomic<bool> mInputEnabled{false};
    bool mCameraGone = false;
    CDlgSetup* mSetupDialog = nullptr;  // while it runs
    SlotLayout mLayout;
    CameraWindowLayout mWindowLayout;

    enum Picture { kHeader, kClose, kExit, kBrowser, kStill, kRecord, kSingle, kQuad, kPictures };
    std::array<ui::Bitmap, kPictures> mPictures;
    ui::Rect mHeaderRect;
    ui::Rect mCloseRect;
    std::array<ui::Rect, CameraWindowLayout::kButtonCount> mButtonRects;

    // The workers, each joined in OnDestroy; the session also holds the clock and the worker
    // that tells the camera its recording state.
    std::unique_ptr<CameraSession> mSession;
    std::unique_ptr<KeyPoller> mKeyPoller;
    std::unique_ptr<DeviceRemovalCheck> mRemovalCheck;
};
