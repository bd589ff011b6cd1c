// A camera pulled out while it records: its stream ends with an error, and the end-of-stream
// that follows finishes the clip by itself, before anyone stops the graph.
#include <gtest/gtest.h>

#include <filesystem>

#include "camera/CaptureGraph.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/text/Text.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/ClipProbe.h"
#include "tests/support/TestProgramFolder.h"

namespace {

// Whether the AVI file's RIFF header gives the file's own length and an index follows the
// frames: the writer has finished it.
bool Finished(const std::filesystem::path& clip) {
    const std::string bytes = testsupport::ReadFileBytes(clip);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) {
        return false;
    }
    uint32_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = length << 8 | static_cast<uint8_t>(bytes[4 + i]);
    }
    return length + 8 == bytes.size() && bytes.find("idx1") != std::string::npos;
}

TEST(CameraUnplugTest, UnpluggingEndsTheStreamAndTheRecordingFinishesItsClipByItself) {
    testsupport::TestProgramFolder folder;
    capture::VirtualCameraConfig config;
    config.formats.resize(2);  // MJPG 1280 x 720 and 1920 x 1080
    capture::testing::VirtualCamera camera(config);
    CaptureGraph graph;
    graph.formatFilterWidth = 1920;
    graph.formatFilterHeight = 1080;
    ASSERT_TRUE(OpenDevice(graph, camera.Device(), camera.Device().displayName));
    const auto clip = folder.Path() / "V2403020905071.avi";
    ASSERT_TRUE(StartGraph(graph, nullptr, WM_GRAPH_NOTIFY, 0, text::FromPath(clip), true));
    ASSERT_TRUE(cameratest::WaitUntil([&] {
        return std::filesystem::exists(clip) && std::filesystem::file_size(clip) > 100000;
    }));

    camera.Unplug();
    EXPECT_TRUE(cameratest::WaitUntil([&] { return Finished(clip); }));
    StopGraph(graph);
    ReleaseGraph(graph);
    const ClipInfo info = ProbeClip(clip.string());
    EXPECT_TRUE(info.decoded);
    EXPECT_GT(info.frames, 0);
}

}  // namespace
