// The camera window's message table, start-up, actions and shutdown.
#include "camera/CDlgCamera.h"

#include "archive/ArchiveFilingHook.h"
#include "camera/CCameraManager.h"
#include "camera/CDlgSetup.h"
#include "camera/CameraSession.h"
#include "camera/CaptureFiling.h"
#include "camera/CaptureRecovery.h"
#include "camera/DeviceRemovalCheck.h"
#include "camera/KeyPoller.h"
#include "camera/KeyRelease.h"
#include "camera/Xu.h"
#include "platform/text/Format.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "records/DATABASECONTEXT.h"
#include "resources/ResourceIds.h"
#include "review/CDlgImageBrowser.h"
#include "utility/bitmaps/WindowGeometry.h"
#include "utility/files/Files.h"
#include "utility/system/System.h"

namespace {

constexpr int kMaxDevices = 32;
constexpr int kFlashMilliseconds = 50;
const ui::Color kBackground = ui::Rgb(66, 68, 79);

constexpr wchar_t kFilingFailed[] = L"Some captures could not be filed! Press Exit to retry.";

}  // namespace

CDlgCamera::CDlgCamera(ui::Window* parent, CaptureClock& clock)
    : ui::Dialog(resources::kDialogCamera, parent), mClock(clock) {
    UTILITY_GetModuleFolder(mStringProgramFolder);
    OnPaint(&CDlgCamera::OnPaintWindow);
    OnLeftButtonDown(&CDlgCamera::OnClickAt);
    OnDeviceChange(&CDlgCamera::OnDeviceChanged);
    OnHotKey(&CDlgCamera::OnHotKeyPressed);
    OnClick(kCommandExit, &CDlgCamera::OnCommandExit);
}

CDlgCamera::~CDlgCamera() = default;

void CDlgCamera::Prepare(int32_t mode, uint8_t* configurationContext, DATABASECONTEXT* recordStore,
                         int32_t customerSerialNumber) {
    const ui::Size screen = ui::ScreenSize();
    mLayout = ComputeSlotLayout(screen.width, screen.height);
    mManager = std::make_unique<CCameraManager>(this, mClock, mPrompts);
    mMode = mode;
    mConfigurationContext = configurationContext;
    mRecordStore = recordStore;
    mCustomerSerialNumber = customerSerialNumber;
}

std::wstring CDlgCamera::ClockText() const {
    return mSession ? mSession->ClockText() : std::wstring();
}

bool CDlgCamera::IsRecording() const {
    return mSession && mSession->Recording();
}

bool CDlgCamera::OnInitDialog() {
    int32_t count = 0;
    UTILITY_EnumVideoDevices(
        kMaxDevices, count,
        [this](int32_t& counter, const capture::VideoDevice& device, const std::wstring&) {
            mDevices.push_back(device);
            ++counter;
        });
    if (mDevices.empty() || !mManager) {
        mPrompts.ShowMessage(L"Can't find camera device!");
        EndDialog(ui::kIdCancel);
        return true;
    }
    mSelectedDevice = 0;
    mDeviceNotify = UTILITY_RegisterDeviceNotify(GUID_DEVINTERFACE_USB_DEVICE, this);
    LayOutWindow();
    if (!OpenCamera()) {
        EndDialog(ui::kIdCancel);
        return true;
    }
    mSession = std::make_unique<CameraSession>(*mManager, mClock, mManager->TempVideosFolder(),
                                               mManager->TakenNames(), [this] { Invalidate(); });
    mManager->StartPreview();
    StartWorkers();
    if (mMode == kSetupMode) {
        // The live picture runs behind the setup dialog, whose end closes this window.
        Show();
        RunSetup();
    } else {
        mInputEnabled = true;
    }
    return true;
}

// Takes Temp (capture mode), files what an interrupted session left there, and opens the
// camera; false, after saying why, when the window cannot work.
bool CDlgCamera::OpenCamera() {
    if (mMode == kCaptureMode) {
        if (!mManager->LockTemp()) {
            mPrompts.ShowMessage(L"Create camera fail!");
            return false;
        }
        if (mRecordStore == nullptr ||
            !RecoverInterruptedCaptures(mManager->TempLock(), *mRecordStore, mPrompts,
                                        mStringProgramFolder)) {
            return false;
        }
    }
    const capture::VideoDevice& device = mDevices[mSelectedDevice];
    if (!mManager->Open(mCustomerSerialNumber, device, device.displayName)) {
        mPrompts.ShowMessage(L"Create camera fail!");
        return false;
    }
    return true;
}

void CDlgCamera::LayOutWindow() {
    SetBackgroundColor(kBackground);
    const ui::Size screen = ui::ScreenSize();
    mWindowLayout =
        ComputeCameraWindowLayout(mLayout, screen.width, screen.height, ui::TaskbarHeight());
    UTILITY_ResizeWindowAroundCenter(this, mWindowLayout.window.width, mWindowLayout.window.height);

    const uint16_t ids[kPictures] = {
        resources::kBitmapHeader,           resources::kBitmapClose,
        resources::kBitmapCameraExit,       resources::kBitmapCameraBrowser,
        resources::kBitmapCameraStill,      resources::kBitmapCameraRecord,
        resources::kBitmapCameraSingleView, resources::kBitmapCameraQuadView};
    for (int picture = 0; picture < kPictures; ++picture) {
        mPictures[picture] = ui::Bitmap::FromResource(ids[picture]);
    }
    UTILITY_GetBitmapRectInClient(this, mWindowLayout.header.x, mWindowLayout.header.y,
                                  resources::kBitmapHeader, mHeaderRect);
    UTILITY_GetBitmapRectInClient(this, mWindowLayout.close.x, mWindowLayout.close.y,
                                  resources::kBitmapClose, mCloseRect);

    mStringTitle = L"Sorvanti";
    if (mRecordStore != nullptr &&
        mRecordStore->CustomerSelect(mCustomerSerialNumber, mCustomerRecord)) {
        mStringTitle = text::sprintf(L"%s-%s", mCustomerRecord.pid, mCustomerRecord.name);
    }

    const uint16_t buttonIds[CameraWindowLayout::kButtonCount] = {
        resources::kBitmapCameraExit, resources::kBitmapCameraBrowser,
        resources::kBitmapCameraStill, resources::kBitmapCameraRecord,
        resources::kBitmapCameraQuadView};
    for (int button = 0; button < CameraWindowLayout::kButtonCount; ++button) {
        const ui::Point origin = mWindowLayout.buttons[button];
        UTILITY_GetBitmapRectInClient(this, origin.x, origin.y, buttonIds[button],
                                      mButtonRects[button]);
    }
}

void CDlgCamera::StartWorkers() {
    capture::Source* source = mManager->Device().Graph().sourceFilter.get();
    // A key acts like a click at the top-left corner of its button, so it goes through the hit
    // test and is ignored while another action runs.
    mKeyPoller = std::make_unique<KeyPoller>(
        [source](uint32_t& value) {
            return capture::Succeeded(Xu::Instance().GetKeyEvent(source, value));
        },
        [this](uint32_t key) {
            const ui::Rect& button =
                mButtonRects[key == KeyRelease::kKeyA ? CameraWindowLayout::kStill
                                                      : CameraWindowLayout::kRecord];
            UTILITY_PostClick(this, button.top, button.left);
        });
    mRemovalCheck = std::make_unique<DeviceRemovalCheck>(
        [name = mDevices[mSelectedDevice].displayName] { return IsDevicePresent(name); },
        [this] { StartTimer(0, [this] { OnCameraGone(); }); });
}

void CDlgCamera::OnClickAt(ui::Point point) {
    if (!mInputEnabled) {
        return;
    }
    using Button = CameraWindowLayout::Button;
    const std::pair<const ui::Rect*, void (CDlgCamera::*)()> targets[] = {
        {&mButtonRects[Button::kExit], &CDlgCamera::ExitAndFile},
        {&mButtonRects[Button::kBrowser], &CDlgCamera::OpenBrowser},
        {&mButtonRects[Button::kStill], &CDlgCamera::TakeStill},
        {&mButtonRects[Button::kRecord], &CDlgCamera::ToggleRecording},
        {&mButtonRects[Button::kViewToggle], &CDlgCamera::SwitchView},
        {&mCloseRect, &CDlgCamera::ExitAndFile},
    };
    for (const auto& [rect, action] : targets) {
        if (UTILITY_PointInRect(point, *rect)) {
            // Without a camera only Exit is left, to file what could not be filed.
            if (!mCameraGone || action == &CDlgCamera::ExitAndFile) {
                (this->*action)();
            }
            return;
        }
    }
}

void CDlgCamera::OnDeviceChanged(uint32_t event) {
    if (event == DBT_DEVICEREMOVECOMPLETE && mRemovalCheck) {
        mRemovalCheck->OnRemoval();
    }
}

void CDlgCamera::OnHotKeyPressed(int) {
    if (mInputEnabled) {
        TakeStill();
    }
}

void CDlgCamera::OnCommandExit() {
    if (mSession) {
        ExitAndFile();
    }
}

void CDlgCamera::TakeStill() {
    mInputEnabled = false;
    const CameraSession::StillResult result = mSession->TakeStill();
    if (result == CameraSession::StillResult::kTaken ||
        result == CameraSession::StillResult::kFailed) {
        FitVideoWindow(mManager->Device().Graph());
        mManager->Device().Flash();
        mFlash = true;
        StartTimer(kFlashMilliseconds, [this] {
            mFlash = false;
            Invalidate();
        });
    }
    Invalidate();
    mInputEnabled = true;
}

void CDlgCamera::ToggleRecording() {
    mInputEnabled = false;
    mSession->ToggleRecording();
    Invalidate();
    mInputEnabled = true;
}

void CDlgCamera::SwitchView() {
    mInputEnabled = false;
    mSession->SwitchView();
    Invalidate();
    mInputEnabled = true;
}

void CDlgCamera::OpenBrowser() {
    mInputEnabled = false;
    mSession->EndRecording(true);
    UTILITY_HideWindowInThread(this);
    {
        // The browser shows and edits this window's captures, those not yet filed.
        CDlgImageBrowser browser(this);
        browser.SetMediaContext(mRecordStore, mCustomerSerialNumber, mManager->TempImagesFolder(),
                                mManager->TempVideosFolder());
        browser.DoModal();
    }
    UTILITY_ShowWindowInThread(this);
    // Panes whose captures the browser deleted show the live picture again.
    if (!mManager->SingleView()) {
        mManager->EnterQuadView();
    }
    Invalidate();
    mInputEnabled = true;
}

void CDlgCamera::ExitAndFile() {
    mInputEnabled = false;
    mSession->EndRecording(true);
    FileAndClose();
}

void CDlgCamera::FileAndClose() {
    CaptureFiling filing(*mRecordStore, mPrompts, mStringProgramFolder);
    // The filed captures are queued for the image archive, if one is configured; they are sent
    // off this thread.
    ArchiveFilingHook archive(
        *mRecordStore, mManager->Device().DisplayName(),
        [this] {
            std::wstring identity = L"Unknown";
            Xu::Instance().GetId(mManager->Device().Graph().sourceFilter.get(), identity);
            return identity;
        },
        mArchiveQueued);
    filing.SetObserver(archive.Observer());
    if (filing.FileTemp(mCustomerSerialNumber).kept > 0) {
        mPrompts.ShowMessage(kFilingFailed);
        Invalidate();
        mInputEnabled = true;
        return;
    }
    filing.ResetTemp();
    mInputEnabled = true;
    EndDialog(ui::kIdOk);
}

void CDlgCamera::OnCameraGone() {
    if (mCameraGone) {
        return;
    }
    mCameraGone = true;
    mInputEnabled = false;
    mSession->EndRecording(false);
    mPrompts.ShowMessage(L"Can't find camera device.");
    if (mMode == kCaptureMode) {
        FileAndClose();
    } else if (mSetupDialog != nullptr) {
        mSetupDialog->EndDialog(ui::kIdCancel);  // its end closes this window
    } else {
        EndDialog(ui::kIdCancel);
    }
}

void CDlgCamera::RunSetup() {
    CDlgSetup setup(this, *mManager);
    mSetupDialog = &setup;
    setup.DoModal();
    mSetupDialog = nullptr;
    EndDialog(ui::kIdCancel);
}

void CDlgCamera::OnCancel() {
    if (mSession) {
        mSession->EndRecording(false);
    }
    EndDialog(ui::kIdCancel);
}

void CDlgCamera::OnDestroy() {
    UTILITY_UnregisterDeviceNotify(mDeviceNotify);
    // Every worker ends before the graph it uses stops and before the manager goes.
    mKeyPoller.reset();
    mRemovalCheck.reset();
    if (mSession) {
        mSession->Shutdown();
        mSession.reset();
    }
    if (mManager) {
        mManager->StopGraph();
        mManager->Close();
    }
    mDevices.clear();
}
