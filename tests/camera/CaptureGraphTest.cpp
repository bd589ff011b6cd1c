// The capture graph on the virtual camera: format lists, start and stop, the grabber,
// recording, the amplifier and device presence.
#include "camera/CaptureGraph.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cwctype>
#include <filesystem>
#include <thread>

#include "platform/capture/VirtualCamera.h"
#include "platform/sys/DeviceNotifications.h"
#include "platform/text/Text.h"
#include "tests/support/ClipProbe.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using capture::testing::VirtualCamera;
using namespace std::chrono_literals;

// Polls `condition` until it holds, for at most `deadline`; whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::seconds deadline = 20s) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class CaptureGraphTest : public ::testing::Test {
  protected:
    void Open(VirtualCamera& camera) {
        mGraph.formatFilterWidth = 1920;
        mGraph.formatFilterHeight = 1080;
        mGraph.forceFrameRate = 1;
        ASSERT_TRUE(OpenDevice(mGraph, camera.Device(), camera.Device().displayName));
    }

    // The grabber's newest frame, once it has one.
    std::vector<uint8_t> Grab() {
        std::vector<uint8_t> frame;
        int32_t size = 0;
        EXPECT_TRUE(WaitUntil([&] { return GetFrameBuffer(mGraph, frame, size); }));
        EXPECT_EQ(size, static_cast<int32_t>(frame.size()));
        return frame;
    }

    void TearDown() override {
        StopGraph(mGraph);
        ReleaseGraph(mGraph);
    }

    CaptureGraph mGraph;
};

double MeanByte(const std::vector<uint8_t>& frame) {
    double sum = 0;
    for (uint8_t byte : frame) {
        sum += byte;
    }
    return frame.empty() ? 0 : sum / frame.size();
}

TEST_F(CaptureGraphTest, ListsOnlyTheFullHdFormatsInDeviceOrderAndForces15Fps) {
    VirtualCamera camera;
    Open(camera);
    ASSERT_EQ(mGraph.captureFormatCount, 2);
    ASSERT_EQ(mGraph.recordFormatCount, 2);
    EXPECT_EQ(mGraph.captureFormats[0].subtype, capture::kSubtypeMjpg);
    EXPECT_EQ(mGraph.captureFormats[1].subtype, capture::kSubtypeYuy2);
    EXPECT_EQ(mGraph.recordFormats[1], mGraph.captureFormats[1]);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(mGraph.captureFormats[i].width, 1920);
        EXPECT_EQ(mGraph.captureFormats[i].height, 1080);
    }

    EXPECT_EQ(SelectCaptureFormat(mGraph, 1), capture::S_OK);
    EXPECT_EQ(mGraph.currentCaptureFormat, 1);
    EXPECT_EQ(mGraph.sourceFilter->Format().subtype, capture::kSubtypeYuy2);
    EXPECT_EQ(mGraph.sourceFilter->Format().avgTimePerFrame, 666666);

    // An index without an entry changes nothing and succeeds.
    EXPECT_EQ(SelectCaptureFormat(mGraph, 5), capture::S_OK);
    EXPECT_EQ(mGraph.currentCaptureFormat, 1);
    EXPECT_EQ(mGraph.sourceFilter->Format().subtype, capture::kSubtypeYuy2);
}

TEST_F(CaptureGraphTest, CameraWithoutFullHdFormatDoesNotOpen) {
    for (std::size_t formats : {1, 0}) {  // 1280 x 720 only; no format at all
        SCOPED_TRACE(formats);
        capture::VirtualCameraConfig config;
        config.formats.resize(formats);
        VirtualCamera camera(config);
        CaptureGraph graph;
        graph.formatFilterWidth = 1920;
        graph.formatFilterHeight = 1080;
        EXPECT_FALSE(OpenDevice(graph, camera.Device(), camera.Device().displayName));
        StopGraph(graph);  // what the owner still does with a graph that did not open
        ReleaseGraph(graph);
    }
}

TEST_F(CaptureGraphTest, GrabberDeliversBottomUpBgrFramesAcrossStopsAndStarts) {
    VirtualCamera camera;
    Open(camera);
    for (int32_t format : {0, 1, 0}) {
        SCOPED_TRACE(format);
        ASSERT_TRUE(StartGraph(mGraph, nullptr, WM_GRAPH_NOTIFY, format, L"", false));
        const std::vector<uint8_t> frame = Grab();
        EXPECT_EQ(frame.size(), 1920u * 3 * 1080);
        int32_t width = 0, height = 0, bits = 0;
        ASSERT_TRUE(GetFrameFormat(mGraph, width, height, bits));
        EXPECT_EQ(width, 1920);
        EXPECT_EQ(height, 1080);
        EXPECT_EQ(bits, 24);
        StopGraph(mGraph);
    }
    // The test picture's colour bars: white at the top left, so the last row of the bottom-up
    // buffer is bright while its first row (the picture's bottom) is not white.
    ASSERT_TRUE(StartGraph(mGraph, nullptr, WM_GRAPH_NOTIFY, 1, L"", false));
    const std::vector<uint8_t> frame = Grab();
    const std::size_t stride = 1920 * 3;
    const uint8_t* top = frame.data() + (1080 - 1) * stride;
    EXPECT_GT(top[0] + top[1] + top[2], 3 * 150);
}

TEST_F(CaptureGraphTest, RecordingWritesAPlayableClipWhileTheGrabberKeepsWorking) {
    testsupport::TestProgramFolder folder;
    VirtualCamera camera;
    Open(camera);
    for (int32_t format : {0, 1}) {  // Motion-JPEG as it comes, and raw encoded
        SCOPED_TRACE(format);
        const auto clip = folder.Path() / ("V" + std::to_string(format) + ".avi");
        const int before = camera.FramesDelivered();
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(
            StartGraph(mGraph, nullptr, WM_GRAPH_NOTIFY, format, text::FromPath(clip), true));
        EXPECT_EQ(mGraph.recording, 1);
        EXPECT_FALSE(Grab().empty());
        // About 2 s of recording: at least 2 s and 30 frames, however slow the machine is.
        EXPECT_TRUE(WaitUntil([&] {
            return camera.FramesDelivered() - before >= 30 &&
                   std::chrono::steady_clock::now() - started >= 2s;
        }));
        StopGraph(mGraph);
        const std::chrono::duration<double> recorded = std::chrono::steady_clock::now() - started;
        const int delivered = camera.FramesDelivered() - before;

        const ClipInfo info = ProbeClip(clip.string());
        EXPECT_TRUE(info.decoded);
        EXPECT_EQ(info.width, 1920);
        EXPECT_EQ(info.height, 1080);
        EXPECT_EQ(info.frames, delivered);  // every frame the camera delivered, none lost
        // At the forced 15 frames per second the frames took at least their time to come.
        EXPECT_LE(delivered, 15 * recorded.count() + 1);
    }
}

TEST_F(CaptureGraphTest, ReleasingARecordingGraphStillFinishesTheClip) {
    testsupport::TestProgramFolder folder;
    VirtualCamera camera;
    Open(camera);
    const auto clip = folder.Path() / "V1512311846002.avi";
    const int before = camera.FramesDelivered();
    ASSERT_TRUE(StartGraph(mGraph, nullptr, WM_GRAPH_NOTIFY, 0, text::FromPath(clip), true));
    ASSERT_TRUE(WaitUntil([&] { return camera.FramesDelivered() - before >= 5; }));
    ReleaseGraph(mGraph);  // as when the window closes mid-recording
    const ClipInfo info = ProbeClip(clip.string());
    EXPECT_TRUE(info.decoded);
    EXPECT_EQ(info.frames, camera.FramesDelivered() - before);
}

TEST_F(CaptureGraphTest, AdjustmentsChangeThePictureAndRespectTheDevice) {
    capture::VirtualCameraConfig config;
    config.procAmp[capture::kSaturation].reset();
    VirtualCamera camera(config);
    camera.RefuseProcAmpValue(capture::kContrast, 99);
    Open(camera);

    EXPECT_TRUE(mGraph.procAmp[capture::kBrightness].supported);
    EXPECT_EQ(mGraph.procAmp[capture::kBrightness].min, -64);
    EXPECT_EQ(mGraph.procAmp[capture::kContrast].current, 32);
    EXPECT_FALSE(mGraph.procAmp[capture::kSaturation].supported);
    EXPECT_FALSE(mGraph.procAmp[capture::kSharpness].supported);

    // Unsupported: succeeds without contacting the device. Refused: fails, table unchanged.
    EXPECT_TRUE(SetProcAmp(mGraph, capture::kSaturation, 10));
    EXPECT_FALSE(SetProcAmp(mGraph, capture::kContrast, 99));
    EXPECT_EQ(mGraph.procAmp[capture::kContrast].current, 32);
    EXPECT_TRUE(camera.ProcAmpWrites().empty());

    ASSERT_TRUE(StartGraph(mGraph, nullptr, WM_GRAPH_NOTIFY, 1, L"", false));
    const double before = MeanByte(Grab());
    ASSERT_TRUE(SetProcAmp(mGraph, capture::kBrightness, 60));
    EXPECT_EQ(mGraph.procAmp[capture::kBrightness].current, 60);
    EXPECT_TRUE(WaitUntil([&] { return MeanByte(Grab()) > before + 20; }))
        << "mean byte before: " << before;
}

TEST_F(CaptureGraphTest, PresenceIsExactAndUnplugIsAnnounced) {
    VirtualCamera camera;
    const std::wstring name = camera.Device().displayName;
    EXPECT_TRUE(IsDevicePresent(name));
    std::wstring otherCase = name;
    otherCase[0] = static_cast<wchar_t>(std::towupper(otherCase[0]));
    EXPECT_FALSE(IsDevicePresent(otherCase));

    std::atomic<int> removals{0};
    auto subscription = sys::SubscribeUsbDeviceEvents(
        [&](sys::DeviceEvent event) { removals += event == sys::DeviceEvent::kRemovalComplete; });
    camera.Unplug();
    EXPECT_EQ(removals.load(), 1);
    EXPECT_FALSE(IsDevicePresent(name));
}

}  // namespace
