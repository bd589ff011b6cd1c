// The setup dialog's rules on the virtual camera's graph and a real configuration file: the
// sliders' stored offsets, end-of-drag only, refused values, Reset Default, the format lists.
#include "camera/CameraSettings.h"

#include <gtest/gtest.h>

#include "camera/CaptureGraph.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/ui/Dialog.h"
#include "tests/support/ConfigurationFixture.h"
#include "utility/files/Configuration.h"

namespace {

using cameraconfig::kAdjustments;
const cameraconfig::Adjustment& kBrightness = kAdjustments[0];
const cameraconfig::Adjustment& kContrast = kAdjustments[1];
const cameraconfig::Adjustment& kSaturation = kAdjustments[2];

capture::VirtualCameraConfig WithoutSaturation() {
    capture::VirtualCameraConfig config;
    config.procAmp[capture::kSaturation].reset();
    return config;
}

class CameraSettingsTest : public testsupport::ConfigurationFileTest {
  protected:
    CameraSettingsTest() {
        Store(testsupport::kDefaultConfiguration);
        mGraph.formatFilterWidth = 1920;
        mGraph.formatFilterHeight = 1080;
        EXPECT_TRUE(OpenDevice(mGraph, mCamera.Device(), mCamera.Device().displayName));
    }
    ~CameraSettingsTest() override { ReleaseGraph(mGraph); }

    capture::testing::VirtualCamera mCamera{WithoutSaturation()};
    CaptureGraph mGraph;
    CameraSettings mSettings{mGraph, Path()};
};

TEST_F(CameraSettingsTest, SlidersOpenAtTheStoredValueAboveTheMinimum) {
    ASSERT_TRUE(UTILITY_WriteConfigDword(Path(), kContrast.key, 0x0A));
    const CameraSettings::Slider contrast = mSettings.InitialSlider(kContrast);
    EXPECT_TRUE(contrast.supported);
    EXPECT_EQ(contrast.position, 10);  // range 0..100
    EXPECT_EQ(contrast.max, 100);

    ASSERT_TRUE(UTILITY_WriteConfigDword(Path(), kBrightness.key, 0x40));
    EXPECT_EQ(mSettings.InitialSlider(kBrightness).position, 0);  // range -64..64
    EXPECT_EQ(mSettings.InitialSlider(kBrightness).min, -64);

    // A key that cannot be read: the camera's current value.
    Store("=Begin Of Configuration=\r\n=End Of Configuration=\r\n");
    mGraph.procAmp[capture::kContrast].current = 40;
    EXPECT_EQ(mSettings.InitialSlider(kContrast).position, 40);

    EXPECT_FALSE(mSettings.InitialSlider(kSaturation).supported);
}

TEST_F(CameraSettingsTest, OnlyTheEndOfADragSetsTheCameraAndStoresTheOffsetAsHex) {
    for (int code : {ui::kTrackThumbTrack, ui::kTrackLineDown, ui::kTrackPageUp}) {
        EXPECT_FALSE(mSettings.OnSliderScroll(kContrast, code, 25));
    }
    EXPECT_TRUE(mCamera.ProcAmpWrites().empty());

    EXPECT_TRUE(mSettings.OnSliderScroll(kContrast, ui::kTrackEndTrack, 25));
    EXPECT_TRUE(mSettings.OnSliderScroll(kBrightness, ui::kTrackEndTrack, 10));
    EXPECT_EQ(mCamera.ProcAmpWrites(), (std::vector<std::pair<int, int32_t>>{
                                           {capture::kContrast, 25}, {capture::kBrightness, 10}}));
    EXPECT_NE(Stored().find("VideoProcAmp_Contrast : 0x00000019\r\n"), std::string::npos);
    EXPECT_NE(Stored().find("VideoProcAmp_Brightness : 0x0000004a\r\n"), std::string::npos);
}

TEST_F(CameraSettingsTest, ARefusedValueKeepsTheOldValueOnTheCameraInTheTableAndInTheFile) {
    mCamera.RefuseProcAmpValue(capture::kContrast, 99);
    const std::string before = Stored();
    EXPECT_FALSE(mSettings.OnSliderScroll(kContrast, ui::kTrackEndTrack, 99));
    EXPECT_EQ(mGraph.procAmp[capture::kContrast].current, 32);
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(mCamera.ProcAmpWrites().empty());
}

TEST_F(CameraSettingsTest, ResetDefaultSetsTheSupportedDefaultsInOrderAndWritesNothing) {
    ASSERT_TRUE(mSettings.OnSliderScroll(kContrast, ui::kTrackEndTrack, 25));
    const std::string stored = Stored();
    std::vector<std::pair<int, int32_t>> moved;
    const auto move = [&](const cameraconfig::Adjustment& adjustment, int32_t value) {
        moved.emplace_back(adjustment.row, value);
    };
    mSettings.ResetDefaults(move);
    const std::vector<std::pair<int, int32_t>> defaults = {{capture::kBrightness, 0},
                                                           {capture::kContrast, 32}};
    EXPECT_EQ(moved, defaults);  // saturation has no range: skipped
    EXPECT_EQ(mGraph.procAmp[capture::kContrast].current, 32);
    EXPECT_EQ(Stored(), stored);

    // A refused default stops the reset there.
    mCamera.RefuseProcAmpValue(capture::kBrightness, 0);
    moved.clear();
    ASSERT_TRUE(mSettings.OnSliderScroll(kContrast, ui::kTrackEndTrack, 25));
    mSettings.ResetDefaults(move);
    EXPECT_EQ(moved, (std::vector<std::pair<int, int32_t>>{{capture::kBrightness, 0}}));
    EXPECT_EQ(mGraph.procAmp[capture::kContrast].current, 25);
}

TEST_F(CameraSettingsTest, FormatListsAndTheirIndicesAsStored) {
    const std::vector<std::wstring> texts = {L"1920 x 1080", L"1920 x 1080"};
    EXPECT_EQ(mSettings.RecordFormatTexts(), texts);
    EXPECT_EQ(mSettings.CaptureFormatTexts(), texts);

    ASSERT_TRUE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexCapture", 5));
    ASSERT_TRUE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexRecord", 0x13));
    mSettings.LoadFormatIndices();
    EXPECT_EQ(mGraph.currentCaptureFormat, 5);    // no entry: the list shows no selection
    EXPECT_EQ(mGraph.currentRecordFormat, 0x13);  // raw, not masked

    mSettings.ChooseCaptureFormat(-1);
    mSettings.ChooseRecordFormat(1);
    EXPECT_NE(Stored().find("CameraResolutionIndexCapture : 0xff\r\n"), std::string::npos);
    EXPECT_NE(Stored().find("CameraResolutionIndexRecord : 0x01\r\n"), std::string::npos);
    EXPECT_EQ(mGraph.currentRecordFormat, 1);
}

}  // namespace
