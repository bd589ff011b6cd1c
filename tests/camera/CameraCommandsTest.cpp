// The main window's Camera and Setup commands: the camera window for the selected patient, after
// which the media list shows what was filed; setup mode for no patient, after which nothing is
// reloaded.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/OperationRoomIds.h"
#include "camera/CCameraManager.h"
#include "camera/CDlgCamera.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/ui/Controls.h"
#include "tests/app/OperationRoomFixture.h"
#include "tests/camera/CameraTestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace operationroom;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

class CameraCommandsTest : public OperationRoomTest {
  protected:
    static int MediaItems(CDlgOperationRoom& room) {
        return room.Control<ui::ListView>(kMediaList)->Count();
    }
    // A thumbnail put into patient 4's folder behind the main window's back.
    void AddThumbnailBehindTheBack() {
        testsupport::WriteFileBytes(Database() / "4/images/thumbnail/P1512311845071.bmp", "x");
    }

    capture::testing::VirtualCamera mCamera;
};

TEST_F(CameraCommandsTest, CameraOpensForTheSelectedPatientAndItsFiledCapturesAreListedAfter) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 3);
        EXPECT_EQ(MediaItems(room), 0);
        OnNextModal([&](ModalWindow& cameraWindow) {
            auto* camera = dynamic_cast<CDlgCamera*>(cameraWindow.Dialog());
            ASSERT_NE(camera, nullptr);
            EXPECT_EQ(camera->TitleText(), L"F444444444-Name444");
            std::vector<uint8_t> frame;
            int32_t size = 0;
            ASSERT_TRUE(cameratest::WaitUntil([&] {
                ui::testing::PumpEvents();
                return GetFrameBuffer(camera->Manager()->Device().Graph(), frame, size);
            }));
            camera->PostLeftButtonDown(camera->ButtonRect(CameraWindowLayout::kStill).TopLeft());
            ui::testing::PumpEvents();
            camera->PostLeftButtonDown(camera->ButtonRect(CameraWindowLayout::kExit).TopLeft());
            EXPECT_TRUE(cameraWindow.WaitUntilEnded(60000));
        });
        window.Click(kCamera);
        EXPECT_EQ(MediaItems(room), 1);
    });
}

TEST_F(CameraCommandsTest, SetupOpensTheCameraForNoPatientAndReloadsNothing) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 3);
        OnNextModal([&](ModalWindow& setup) {
            AddThumbnailBehindTheBack();
            setup.PressEscape();
            EXPECT_TRUE(setup.WaitUntilEnded(60000));
        });
        window.Click(kSetup);
        EXPECT_EQ(MediaItems(room), 0);  // not reloaded
        EXPECT_FALSE(fs::exists(Database() / "Temp"));
        EXPECT_FALSE(fs::exists(Database() / "-1"));
    });
}

}  // namespace
