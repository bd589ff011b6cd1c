// The camera device and its capture store on the virtual camera in a headless window: stills
// named, stamped and saved with their thumbnail; the still's size from the frame grabbed; a
// failed still evicts nothing; a recording's poster; format indices, adjustments and the camera
// model in the configuration; folders only under the Temp lock.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "camera/CCameraManager.h"
#include "camera/CameraConfiguration.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/text/Text.h"
#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/ConfigurationFixture.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/files/Configuration.h"

namespace {

namespace fs = std::filesystem;
using cameratest::WaitUntil;

capture::MediaType Raw(uint32_t subtype, int32_t width, int32_t height) {
    capture::MediaType type;
    type.subtype = subtype;
    type.width = width;
    type.height = height;
    type.bitCount = capture::BitCountOf(subtype);
    type.avgTimePerFrame = 333333;
    return type;
}

// Raw formats only: the tests need no JPEG work.
capture::VirtualCameraConfig RawCamera(std::vector<capture::MediaType> formats) {
    capture::VirtualCameraConfig config;
    config.formats = std::move(formats);
    return config;
}

bool IsGreen(ui::Color color) {
    return color.green > 200 && color.red < 60 && color.blue < 60;
}

class CameraDeviceTest : public ui::testing::UiTest {
  protected:
    CameraDeviceTest() {
        testsupport::WriteFileBytes(mFolder.Path() / "Sorvanti.ini",
                                    std::string(testsupport::kDefaultConfiguration));
    }

    using Steps = std::function<void(CCameraManager& manager)>;
    // Opens a manager for patient `serial` in a camera-sized window (with the Temp lock unless
    // told not to), runs `steps` and closes it.
    void WithManager(int32_t serial, const Steps& steps, bool lockTemp = true) {
        ui::Dialog window(resources::kDialogCamera, nullptr);
        ui::testing::OnNextModal([&](ui::testing::ModalWindow& modal) {
            window.SetPlacement({0, 0, 1920, 1040});
            {
                CCameraManager manager(&window, mClock, mPrompts);
                if (lockTemp) {
                    EXPECT_TRUE(manager.LockTemp());
                }
                mOpened = manager.Open(serial, mCamera.Device(), mCamera.Device().displayName);
                steps(manager);
                manager.StopGraph();
                manager.Close();
            }
            modal.End(1);
        });
        window.DoModal();
    }
    // Starts the preview and waits for the grabber's first frame.
    static void Preview(CCameraManager& manager) {
        ASSERT_TRUE(manager.StartPreview());
        std::vector<uint8_t> frame;
        int32_t size = 0;
        ASSERT_TRUE(
            WaitUntil([&] { return GetFrameBuffer(manager.Device().Graph(), frame, size); }));
    }

    fs::path Temp() const { return mFolder.Path() / "database" / "Temp"; }
    std::wstring Config() const { return mFolder.WidePath() + L"/Sorvanti.ini"; }
    std::string Stored() const {
        return testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti.ini");
    }

    testsupport::TestProgramFolder mFolder;
    cameratest::ManualClock mClock{2024, 1, 15, 12, 30, 45};
    cameratest::RecordedPrompts mPrompts;
    capture::testing::VirtualCamera mCamera{
        RawCamera({Raw(capture::kSubtypeYuy2, 1920, 1080), Raw(capture::kSubtypeNv12, 1920, 1080),
                   Raw(capture::kSubtypeYuy2, 1280, 720)})};
    bool mOpened = false;
};

TEST_F(CameraDeviceTest, AStillIsNamedStampedAndSavedWithItsThumbnail) {
    WithManager(3, [&](CCameraManager& manager) {
        ASSERT_TRUE(mOpened);
        Preview(manager);
        ASSERT_TRUE(manager.CaptureStill());
        EXPECT_TRUE(manager.Ring().SingleView());
    });
    const std::string name = "P2401151230451.bmp";
    const ui::Bitmap picture = ui::Bitmap::LoadBmpFile(text::FromPath(Temp() / "images" / name));
    ASSERT_EQ(picture.Dimensions(), (ui::Size{1920, 1080}));
    EXPECT_EQ(testsupport::ReadFileBytes(Temp() / "images" / name)[28], 24);  // bits per pixel
    const ui::Bitmap thumbnail =
        ui::Bitmap::LoadBmpFile(text::FromPath(Temp() / "images/thumbnail" / name));
    EXPECT_EQ(thumbnail.Dimensions(), (ui::Size{160, 90}));

    // The stamp: the name in green from (10, 10); no play mark on a still.
    int green = 0;
    for (int y = 10; y < 45; ++y) {
        for (int x = 10; x < 400; ++x) {
            green += IsGreen(picture.Pixel(x, y));
        }
    }
    EXPECT_GT(green, 200);
    EXPECT_NE(picture.Pixel(40, 125), ui::Rgb(255, 255, 255));
}

TEST_F(CameraDeviceTest, AStillTakesItsSizeFromTheFrameGrabbedNotFromTheFormatFilter) {
    // An index beyond the list runs the graph in the device's own format: 1280 x 720 here,
    // while the graph lists only 1920 x 1080.
    ASSERT_TRUE(UTILITY_WriteConfigByte(Config(), cameraconfig::kCaptureFormat, 5));
    WithManager(3, [&](CCameraManager& manager) {
        // The camera model is new to the configuration, so Open reset the indices: store 5 again.
        ASSERT_TRUE(UTILITY_WriteConfigByte(Config(), cameraconfig::kCaptureFormat, 5));
        ASSERT_EQ(
            manager.Device().Graph().sourceFilter->SetFormat(Raw(capture::kSubtypeYuy2, 1280, 720)),
            capture::S_OK);
        Preview(manager);
        EXPECT_TRUE(manager.CaptureStill());
    });
    const ui::Bitmap picture =
        ui::Bitmap::LoadBmpFile(text::FromPath(Temp() / "images/P2401151230451.bmp"));
    EXPECT_EQ(picture.Dimensions(), (ui::Size{1280, 720}));
}

TEST_F(CameraDeviceTest, AStillThatFailsTakesNoPaneAndEvictsNothing) {
    WithManager(3, [&](CCameraManager& manager) {
        Preview(manager);
        manager.EnterQuadView();
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(manager.CaptureStill());
            mClock.Advance(std::chrono::seconds(1));
        }
        // The thumbnail cannot be written: the still is refused, its picture removed.
        fs::remove_all(Temp() / "images/thumbnail");
        testsupport::WriteFileBytes(Temp() / "images/thumbnail", "blocked");
        EXPECT_FALSE(manager.CaptureStill());
        EXPECT_EQ(manager.Ring().NextSlot(), 0);
        for (int pane = 0; pane < 4; ++pane) {
            EXPECT_TRUE(fs::exists(text::ToPath(manager.Ring().PaneFile(pane)))) << pane;
        }
        EXPECT_FALSE(fs::exists(Temp() / "images/P2401151230495.bmp"));
    });
}

TEST_F(CameraDeviceTest, ARecordingsPosterIsItsOwnNeverTheLastOne) {
    WithManager(3, [&](CCameraManager& manager) {
        Preview(manager);
        const std::wstring videos = manager.TempVideosFolder();
        manager.StopGraph();
        ASSERT_TRUE(manager.StartRecording(videos + L"V2401151230451.avi"));
        EXPECT_EQ(manager.PosterName(), L"V2401151230451.bmp");
        manager.StopGraph();
        const ui::Bitmap poster =
            ui::Bitmap::LoadBmpFile(text::FromPath(Temp() / "images/V2401151230451.bmp"));
        EXPECT_EQ(poster.Pixel(40, 125), ui::Rgb(255, 255, 255));  // the double play mark

        // The next recording's poster cannot be taken at its start: the name is cleared, not
        // left at the last clip's, and the poster is taken when the recording stops.
        fs::rename(Temp() / "images/thumbnail", Temp() / "images/hidden");
        testsupport::WriteFileBytes(Temp() / "images/thumbnail", "blocked");
        ASSERT_TRUE(manager.StartRecording(videos + L"V2401151230462.avi"));
        EXPECT_EQ(manager.PosterName(), L"");
        fs::remove(Temp() / "images/thumbnail");
        fs::rename(Temp() / "images/hidden", Temp() / "images/thumbnail");
        manager.StopGraph();
        EXPECT_EQ(manager.PosterName(), L"V2401151230462.bmp");
        EXPECT_TRUE(fs::exists(Temp() / "images/V2401151230462.bmp"));
    });
}

TEST_F(CameraDeviceTest, ANewCameraModelResetsItsKeysAndTheFirstStartStoresItsValues) {
    WithManager(3, [&](CCameraManager& manager) {
        // The virtual camera is VID_5356&PID_0001; the file had FFFF for both.
        EXPECT_NE(Stored().find("CameraVendor : 0x5356\r\n"), std::string::npos);
        EXPECT_NE(Stored().find("CameraProduct : 0x0001\r\n"), std::string::npos);
        EXPECT_NE(Stored().find("CameraResolutionIndexCapture : 0xff\r\n"), std::string::npos);
        EXPECT_NE(Stored().find("VideoProcAmp_Brightness : 0xffffffff\r\n"), std::string::npos);
        Preview(manager);
        EXPECT_NE(Stored().find("CameraResolutionIndexCapture : 0x00\r\n"), std::string::npos);
        EXPECT_NE(Stored().find("VideoProcAmp_Brightness : 0x00000040\r\n"), std::string::npos);
        EXPECT_NE(Stored().find("VideoProcAmp_Contrast : 0x00000020\r\n"), std::string::npos);

        // Stored values are read back above the range minimum; the low four bits of an index.
        ASSERT_TRUE(UTILITY_WriteConfigDword(Config(), "VideoProcAmp_Brightness", 0x50));
        ASSERT_TRUE(UTILITY_WriteConfigByte(Config(), cameraconfig::kCaptureFormat, 0x11));
        manager.StopGraph();
        Preview(manager);
        EXPECT_EQ(manager.Device().Graph().procAmp[capture::kBrightness].current, 16);
        EXPECT_EQ(manager.Device().Graph().currentCaptureFormat, 1);

        // Ids are read from at most the characters present.
        const std::pair<std::wstring, std::string> names[] = {
            {L"usb-VID_1234&PID_ABCD-x", "0x1234 0xabcd"},
            {L"usb-VID_12", "0x0012 0x0000"},
            {L"no markers", "0x0000 0x0000"},
        };
        for (const auto& [name, ids] : names) {
            manager.Device().CheckCameraIdentity(name);
            uint16_t vendor = 1;
            uint16_t product = 1;
            UTILITY_ReadConfigWord(Config(), cameraconfig::kVendor, vendor);
            UTILITY_ReadConfigWord(Config(), cameraconfig::kProduct, product);
            char text[16];
            std::snprintf(text, sizeof(text), "0x%04x 0x%04x", vendor, product);
            EXPECT_EQ(text, ids);
        }
    });
}

TEST_F(CameraDeviceTest, SetupTouchesNoFolderAndAPatientsWindowNeedsTheTempLock) {
    WithManager(-1, [&](CCameraManager&) { EXPECT_TRUE(mOpened); });
    EXPECT_FALSE(fs::exists(Temp()));

    testsupport::WriteFileBytes(Temp() / "images/P2401151230001.bmp", "another window's");
    WithManager(
        3, [&](CCameraManager&) { EXPECT_FALSE(mOpened); }, false);
    EXPECT_TRUE(fs::exists(Temp() / "images/P2401151230001.bmp"));

    WithManager(3, [&](CCameraManager&) { EXPECT_TRUE(mOpened); });
    EXPECT_FALSE(fs::exists(Temp() / "images/P2401151230001.bmp"));
    EXPECT_TRUE(fs::is_directory(mFolder.Path() / "database/3/images/thumbnail"));
}

}  // namespace
