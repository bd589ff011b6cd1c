// The camera window on the virtual camera, driven headless on the 1920 x 1080 screen with its
// 40-pixel taskbar, over a real database and real files: a fresh program folder with the
// default configuration, a hand-moved clock, clicks by button, the skinned boxes answered.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "camera/CDlgCamera.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/TestProgramFolder.h"

// Raw 1920 x 1080 formats (YUY2, NV12): the window's tests need no JPEG work.
capture::VirtualCameraConfig RawFullHdCamera();

class CameraWindowTest : public ui::testing::UiTest {
  protected:
    using Steps = std::function<void(ui::testing::ModalWindow& window, CDlgCamera& camera)>;

    CameraWindowTest();

    // Runs the camera window for `serial` in `mode` with `steps`, which must end it.
    void Run(int32_t serial, const Steps& steps, int32_t mode = CDlgCamera::kCaptureMode);

    // Clicks the top-left corner of a button (or `point`) and handles the click.
    static void Click(CDlgCamera& camera, CameraWindowLayout::Button button);
    static void ClickAt(CDlgCamera& camera, ui::Point point);
    // Pumps events until `condition` holds (generous deadline); whether it does.
    static bool WaitFor(const std::function<bool()>& condition);
    // Waits until the grabber holds a frame, so that a still can be taken.
    static bool WaitForFrame(CDlgCamera& camera);
    // Queues the answer to the next skinned message box, expecting `text`.
    static void ExpectMessage(const std::wstring& text);

    std::filesystem::path Database() const { return mFolder.Path() / "database"; }
    std::filesystem::path Temp() const { return Database() / "Temp"; }
    // The capture files directly in a folder, by name.
    static std::vector<std::string> Files(const std::filesystem::path& folder);
    bool HasRow(int32_t serial, const std::wstring& name);

    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mStandardBoxes;
    DATABASECONTEXT mStore{nullptr};
    uint8_t mContext[40] = {};
    cameratest::ManualClock mClock{2024, 3, 2, 9, 5, 7};
    std::unique_ptr<capture::testing::VirtualCamera> mCamera;
};
