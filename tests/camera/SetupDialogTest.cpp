// The setup dialog over the camera window in setup mode, on the virtual camera and a real
// configuration file: what it shows, the format choices, Reset Default, the extension-unit rows,
// Enter and Escape, the camera's keys and its removal.
#include <gtest/gtest.h>

#include "camera/CCameraManager.h"
#include "camera/SetupIds.h"
#include "platform/ui/Controls.h"
#include "tests/camera/CameraWindowFixture.h"
#include "utility/files/Configuration.h"

namespace {

namespace fs = std::filesystem;
using ui::testing::ModalWindow;
using namespace setup;

class SetupDialogTest : public CameraWindowTest {
  protected:
    SetupDialogTest() {
        // The virtual camera is the model the configuration knows: its stored values count.
        EXPECT_TRUE(UTILITY_WriteConfigWord(Config(), "CameraVendor", 0x5356));
        EXPECT_TRUE(UTILITY_WriteConfigWord(Config(), "CameraProduct", 0x0001));
        EXPECT_TRUE(UTILITY_WriteConfigByte(Config(), "CameraResolutionIndexRecord", 0));
        EXPECT_TRUE(UTILITY_WriteConfigByte(Config(), "CameraResolutionIndexCapture", 0));
        EXPECT_TRUE(UTILITY_WriteConfigDword(Config(), "VideoProcAmp_Brightness", 0x40));
        EXPECT_TRUE(UTILITY_WriteConfigDword(Config(), "VideoProcAmp_Contrast", 0x0A));
        EXPECT_TRUE(UTILITY_WriteConfigDword(Config(), "VideoProcAmp_Saturation", 0x40));
    }

    using SetupSteps = std::function<void(ModalWindow& setup, CDlgCamera& camera)>;
    // Opens the camera window in setup mode; `steps` run in the setup dialog and end it.
    void RunSetup(const SetupSteps& steps) {
        CDlgCamera camera(nullptr, mClock);
        camera.Prepare(CDlgCamera::kSetupMode, mContext, &mStore, -1);
        ui::testing::OnNextModal([&](ModalWindow& setup) {
            steps(setup, camera);
            EXPECT_TRUE(setup.WaitUntilEnded(60000));
        });
        EXPECT_EQ(camera.DoModal(), ui::kIdCancel);
    }

    std::wstring Config() const { return mFolder.WidePath() + L"/Sorvanti.ini"; }
    std::string Stored() const {
        return testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti.ini");
    }
    static ui::TrackBar* Slider(ModalWindow& setup, int id) {
        return setup.Dialog()->Control<ui::TrackBar>(id);
    }
    static ui::ComboBox* List(ModalWindow& setup, int id) {
        return setup.Dialog()->Control<ui::ComboBox>(id);
    }
};

TEST_F(SetupDialogTest, ShowsTheCameraItsFormatsAndTheStoredAdjustmentsOverTheLivePicture) {
    RunSetup([&](ModalWindow& setup, CDlgCamera& camera) {
        EXPECT_TRUE(camera.IsVisible());
        EXPECT_EQ(setup.Caption(), L"Sorvanti v3.36");
        EXPECT_EQ(setup.WindowRect().Width(), 370);
        EXPECT_EQ(setup.WindowRect().Height(), 350);
        EXPECT_EQ(setup.ControlText(kCamera), mCamera->Device().displayName);
        for (int list : {kRecordFormats, kCaptureFormats}) {
            ASSERT_EQ(List(setup, list)->Count(), 2);
            EXPECT_EQ(List(setup, list)->ItemText(1), L"1920 x 1080");
            EXPECT_EQ(List(setup, list)->Selection(), 0);
        }
        EXPECT_EQ(Slider(setup, kBrightness)->Position(), 0);  // 0x40 above -64
        EXPECT_EQ(Slider(setup, kContrast)->Position(), 10);   // 0x0A above 0
        EXPECT_EQ(Slider(setup, kContrast)->Maximum(), 100);
        EXPECT_TRUE(Slider(setup, kSaturation)->IsVisible());
        for (int edit : {kXuId, kXuKey, kXuDateTime}) {
            EXPECT_EQ(setup.ControlText(edit), L"");
        }
        EXPECT_FALSE(setup.Dialog()->FindControl(1136)->IsEnabled());
        EXPECT_FALSE(setup.Dialog()->FindControl(1138)->IsEnabled());
        setup.PressEnter();  // does nothing
        EXPECT_TRUE(setup.IsOpen());
        setup.PressEscape();  // ends the dialog, and with it the camera window
    });
    EXPECT_FALSE(fs::exists(Temp()));
    EXPECT_FALSE(fs::exists(Database() / "-1"));
}

TEST_F(SetupDialogTest, TheExtensionUnitRowsReadIdentityClockAndKeyState) {
    RunSetup([&](ModalWindow& setup, CDlgCamera&) {
        setup.Click(1135);
        EXPECT_EQ(setup.ControlText(kXuId), L"1234 5678-CAM00001");
        setup.Click(1137);
        EXPECT_EQ(setup.ControlText(kXuDateTime), L"2024/06/15 14:45:30");
        mCamera->PressKey(1);
        setup.Click(1139);
        EXPECT_EQ(setup.ControlText(kXuKey), L"01 00 00 00");
        mCamera->ReleaseKey();
        setup.PressEscape();
    });
}

TEST_F(SetupDialogTest, ARecordFormatIsStoredForTheNextRecordingACaptureFormatRestartsThePreview) {
    RunSetup([&](ModalWindow& setup, CDlgCamera& camera) {
        CaptureGraph& graph = camera.Manager()->Device().Graph();
        setup.Select(kRecordFormats, 1);
        EXPECT_NE(Stored().find("CameraResolutionIndexRecord : 0x01\r\n"), std::string::npos);
        EXPECT_EQ(graph.currentRecordFormat, 1);
        EXPECT_EQ(graph.sourceFilter->Format().subtype, capture::kSubtypeYuy2);  // untouched

        setup.Select(kCaptureFormats, 1);
        EXPECT_NE(Stored().find("CameraResolutionIndexCapture : 0x01\r\n"), std::string::npos);
        EXPECT_EQ(graph.sourceFilter->Format().subtype, capture::kSubtypeNv12);
        std::vector<uint8_t> frame;
        int32_t size = 0;
        EXPECT_TRUE(WaitFor([&] { return GetFrameBuffer(graph, frame, size); }));
        setup.PressEscape();
    });
}

TEST_F(SetupDialogTest, ACaptureIndexWithoutAnEntryShowsNoneAndThePreviewFallsBackToTheFirst) {
    ASSERT_TRUE(UTILITY_WriteConfigByte(Config(), "CameraResolutionIndexCapture", 5));
    RunSetup([&](ModalWindow& setup, CDlgCamera& camera) {
        EXPECT_EQ(List(setup, kCaptureFormats)->Selection(), -1);
        // Stored as 0xFF by the dialog, then as 0 by the restarted preview.
        EXPECT_NE(Stored().find("CameraResolutionIndexCapture : 0x00\r\n"), std::string::npos);
        EXPECT_EQ(camera.Manager()->Device().Graph().currentCaptureFormat, 0);
        setup.PressEscape();
    });
}

TEST_F(SetupDialogTest, ResetDefaultShowsTheDefaultsAndKeepsTheStoredValuesForTheNextTime) {
    capture::VirtualCameraConfig config = RawFullHdCamera();
    config.procAmp[capture::kSaturation].reset();
    mCamera.reset();
    mCamera = std::make_unique<capture::testing::VirtualCamera>(config);
    const std::string stored = Stored();
    RunSetup([&](ModalWindow& setup, CDlgCamera&) {
        EXPECT_FALSE(Slider(setup, kSaturation)->IsVisible());
        setup.Click(kResetDefault);
        EXPECT_EQ(Slider(setup, kBrightness)->Position(), 0);
        EXPECT_EQ(Slider(setup, kContrast)->Position(), 32);
        setup.PressEscape();
    });
    EXPECT_EQ(Stored(), stored);
    EXPECT_EQ(mCamera->ProcAmpWrites(), (std::vector<std::pair<int, int32_t>>{
                                            {capture::kBrightness, 0}, {capture::kContrast, 32}}));
    RunSetup([&](ModalWindow& setup, CDlgCamera&) {
        EXPECT_EQ(Slider(setup, kContrast)->Position(), 10);
        setup.PressEscape();
    });
}

TEST_F(SetupDialogTest, TheCamerasKeysDoNothingWhileTheDialogIsOpen) {
    // Temp is ready from an earlier window: a still or a clip would be written there.
    fs::create_directories(Temp() / "images/thumbnail");
    fs::create_directories(Temp() / "videos");
    RunSetup([&](ModalWindow& setup, CDlgCamera& camera) {
        for (uint32_t key : {1u, 2u}) {
            int polls = mCamera->UnitRequests();
            mCamera->PressKey(key);
            EXPECT_TRUE(WaitFor([&] { return mCamera->UnitRequests() >= polls + 3; }));
            mCamera->ReleaseKey();
            polls = mCamera->UnitRequests();
            EXPECT_TRUE(WaitFor([&] { return mCamera->UnitRequests() >= polls + 3; }));
        }
        EXPECT_FALSE(camera.IsRecording());
        setup.PressEscape();
    });
    EXPECT_TRUE(Files(Temp() / "images").empty());
    EXPECT_TRUE(Files(Temp() / "videos").empty());
    EXPECT_TRUE(mCamera->UnitWrites().empty());  // no recording state was told
}

TEST_F(SetupDialogTest, UnpluggingTheCameraClosesTheDialogAndTheWindow) {
    RunSetup([&](ModalWindow&, CDlgCamera&) {
        ExpectMessage(L"Can't find camera device.");
        mCamera->Unplug();
    });
}

}  // namespace
