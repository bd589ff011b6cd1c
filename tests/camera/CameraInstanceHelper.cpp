// Another instance of the program with a camera window of its own, in a process of its own, for
// the tests of the Temp lock and of recovering an interrupted session:
//
//   camera_instance_helper <program-folder> refused <serial>
//       opens the camera window for the patient; exit status 0 when it was refused with
//       "Create camera fail!" and closed, 1 when it opened
//   camera_instance_helper <program-folder> killed <serial>
//       opens it, takes two stills and is killed (SIGKILL) with the window still open
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "camera/CCameraManager.h"
#include "camera/CDlgCamera.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "resources/ResourceIds.h"
#include "tests/camera/CameraTestSupport.h"
#include "utility/boxes/CImageMsgBoxDlg.h"

namespace {

using ui::testing::ModalWindow;

int Refused(CDlgCamera& camera) {
    bool refused = false;
    ui::testing::OnNextModal([&](ModalWindow& window) {
        auto* box = dynamic_cast<CImageMsgBoxDlg*>(window.Dialog());
        refused = box != nullptr && box->MessageText() == L"Create camera fail!";
        if (box != nullptr) {
            window.Click(resources::kControlBoxOk);
        } else {
            window.End(2);
        }
    });
    camera.DoModal();
    return refused ? 0 : 1;
}

int Killed(CDlgCamera& camera, cameratest::ManualClock& clock) {
    ui::testing::OnNextModal([&](ModalWindow&) {
        std::vector<uint8_t> frame;
        int32_t size = 0;
        while (!GetFrameBuffer(camera.Manager()->Device().Graph(), frame, size)) {
            ui::testing::PumpEvents(10);
        }
        const ui::Point still = camera.ButtonRect(CameraWindowLayout::kStill).TopLeft();
        camera.PostLeftButtonDown(still);
        ui::testing::PumpEvents();
        clock.Advance(std::chrono::seconds(1));
        camera.PostLeftButtonDown(still);
        ui::testing::PumpEvents();
        ::raise(SIGKILL);
    });
    camera.DoModal();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <program-folder> refused|killed <serial>\n", argv[0]);
        return 2;
    }
    program::testing::SetFolder(argv[1]);
    const std::string mode = argv[2];
    const int32_t serial = std::atoi(argv[3]);
    ui::testing::StartUi();
    capture::VirtualCameraConfig config;
    config.formats.erase(config.formats.begin(), config.formats.begin() + 2);  // raw only
    capture::testing::VirtualCamera virtualCamera(config);
    DATABASECONTEXT store(nullptr);
    store.DatabaseCreate();
    cameratest::ManualClock clock(2024, 3, 2, 10, 0, 0);
    uint8_t context[40] = {};
    CDlgCamera camera(nullptr, clock);
    camera.Prepare(CDlgCamera::kCaptureMode, context, &store, serial);
    return mode == "refused" ? Refused(camera) : Killed(camera, clock);
}
