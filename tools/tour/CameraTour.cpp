// The tour's camera steps.
#include "tools/tour/CameraTour.h"

#include <chrono>

#include "app/OperationRoomIds.h"
#include "camera/CCameraManager.h"
#include "camera/CDlgCamera.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DrawContext.h"
#include "utility/files/LocalTime.h"

namespace tour {
namespace {

using Button = CameraWindowLayout::Button;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

// Pumps events until `condition` holds, for at most 30 s.
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        ui::testing::PumpEvents(10);
    }
    return true;
}

// Waits until the wall clock's second changes: the camera takes one still per second.
void NextSecond() {
    const int second = utility::LocalTimeNow().tm_sec;
    WaitFor([second] { return utility::LocalTimeNow().tm_sec != second; });
}

void Click(CDlgCamera& camera, Button button) {
    camera.PostLeftButtonDown(camera.ButtonRect(button).TopLeft());
    ui::testing::PumpEvents();
}

// The live picture has been painted a few times since `painted`.
bool LivePictureMoved(CDlgCamera& camera, int painted) {
    const ui::StaticHost* host = camera.Manager()->Device().VideoHost();
    return WaitFor([&] { return host->FramesPainted() >= painted + 5; });
}

void CameraWindow(CDlgCamera& camera, ModalWindow& window, const SaveScreenshot& save,
                  const CheckStep& check) {
    check(LivePictureMoved(camera, 0), "the live picture runs");
    save(ui::testing::Grab(camera), "camera-single-view");

    Click(camera, Button::kStill);
    save(ui::testing::Grab(camera), "camera-still-flash");

    Click(camera, Button::kViewToggle);
    check(!camera.Manager()->SingleView(), "the four-pane view");
    NextSecond();
    Click(camera, Button::kStill);
    NextSecond();
    Click(camera, Button::kRecord);
    check(camera.IsRecording(), "recording");
    WaitFor([&] { return camera.ClockText() == L"00:03"; });
    Click(camera, Button::kRecord);
    NextSecond();
    Click(camera, Button::kStill);
    save(ui::testing::Grab(camera), "camera-four-panes-flash-and-stamp");
    const int painted = camera.Manager()->Device().VideoHost()->FramesPainted();
    check(LivePictureMoved(camera, painted), "the live pane runs");
    save(ui::testing::Grab(camera), "camera-four-panes");

    Click(camera, Button::kViewToggle);
    Click(camera, Button::kRecord);
    check(WaitFor([&] { return camera.ClockText() == L"00:04"; }), "the clock runs");
    save(ui::testing::Grab(camera), "camera-recording");
    Click(camera, Button::kRecord);

    Click(camera, Button::kExit);
    check(window.WaitUntilEnded(60000), "Exit files and closes");
}

// The camera window with the setup dialog over it, where it stands on the screen.
void SetupDialog(ModalWindow& setup, const SaveScreenshot& save) {
    auto* camera = dynamic_cast<CDlgCamera*>(setup.Dialog()->Parent());
    if (camera != nullptr) {
        const ui::StaticHost* host = camera->Manager()->Device().VideoHost();
        const int painted = host->FramesPainted();
        WaitFor([&] { return host->FramesPainted() >= painted + 5; });
        ui::Bitmap picture = ui::testing::Grab(*camera);
        {
            ui::DrawContext dc(picture);
            const ui::Rect rect = setup.WindowRect();
            dc.DrawBitmap(setup.Grab(), rect.left, rect.top);
        }
        save(picture, "setup-dialog");
    }
    setup.PressEscape();
    setup.WaitUntilEnded(60000);
}

}  // namespace

void CameraSteps(CDlgOperationRoom& room, ModalWindow& window, const SaveScreenshot& save,
                 const CheckStep& check) {
    auto* media = room.Control<ui::ListView>(operationroom::kMediaList);
    const int listed = media->Count();
    OnNextModal([&](ModalWindow& cameraWindow) {
        auto* camera = dynamic_cast<CDlgCamera*>(cameraWindow.Dialog());
        check(camera != nullptr, "the camera window opens");
        if (camera != nullptr) {
            CameraWindow(*camera, cameraWindow, save, check);
        }
    });
    window.Click(operationroom::kCamera);
    check(media->Count() == listed + 5, "the filed captures are listed");
    save(ui::testing::Grab(room), "media-after-filing");

    OnNextModal([&](ModalWindow& setup) { SetupDialog(setup, save); });
    window.Click(operationroom::kSetup);
}

}  // namespace tour
