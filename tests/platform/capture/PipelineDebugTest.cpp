// The capture pipeline's debugging aids on the virtual camera: the graph written into the
// folder SORVANTI_PIPELINE_DOT names, and failures logged to the "sorvanti-capture" category.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/capture/Pipeline.h"
#include "platform/capture/Source.h"
#include "platform/capture/VirtualCamera.h"
#include "tests/support/TestProgramFolder.h"

namespace {

constexpr char kCategory[] = "sorvanti-capture";

// Names the graph folder in the environment while alive.
class GraphFolderVariable {
  public:
    explicit GraphFolderVariable(const std::filesystem::path& folder) {
        setenv("SORVANTI_PIPELINE_DOT", folder.c_str(), 1);
    }
    ~GraphFolderVariable() { unsetenv("SORVANTI_PIPELINE_DOT"); }
    GraphFolderVariable(const GraphFolderVariable&) = delete;
    GraphFolderVariable& operator=(const GraphFolderVariable&) = delete;
};

// Collects the warnings and errors of the capture category while alive.
class CaptureLog {
  public:
    CaptureLog() {
        gst_init(nullptr, nullptr);
        gst_debug_set_threshold_for_name(kCategory, GST_LEVEL_WARNING);
        gst_debug_add_log_function(&CaptureLog::Collect, this, nullptr);
    }
    ~CaptureLog() {
        gst_debug_remove_log_function_by_data(this);
        gst_debug_unset_threshold_for_name(kCategory);
    }
    CaptureLog(const CaptureLog&) = delete;
    CaptureLog& operator=(const CaptureLog&) = delete;

    // Whether one logged line contains every one of `parts`.
    bool Contains(const std::vector<std::string>& parts) const {
        std::lock_guard lock(mMutex);
        for (const std::string& line : mLines) {
            bool all = true;
            for (const std::string& part : parts) {
                all = all && line.find(part) != std::string::npos;
            }
            if (all) {
                return true;
            }
        }
        return false;
    }

  private:
    static void Collect(GstDebugCategory* category, GstDebugLevel level, const gchar*, const gchar*,
                        gint, GObject*, GstDebugMessage* message, gpointer self) {
        if (level > GST_LEVEL_WARNING ||
            std::string_view(gst_debug_category_get_name(category)) != kCategory) {
            return;
        }
        auto* log = static_cast<CaptureLog*>(self);
        std::lock_guard lock(log->mMutex);
        log->mLines.emplace_back(gst_debug_message_get(message));
    }

    mutable std::mutex mMutex;
    std::vector<std::string> mLines;
};

TEST(PipelineDebug, GraphIsWrittenAtEachStateChangeIntoTheNamedFolder) {
    testsupport::TestProgramFolder program;
    const auto folder = program.Path() / "graphs" / "capture";  // created on demand
    capture::testing::VirtualCamera camera;
    const auto source = capture::Source::Open(camera.Device());
    ASSERT_TRUE(source);
    {
        GraphFolderVariable variable(folder);
        capture::Pipeline pipeline;
        ASSERT_EQ(pipeline.Start(*source, "", nullptr), capture::S_OK);
        pipeline.Stop();
    }

    ASSERT_TRUE(std::filesystem::is_directory(folder));
    for (const char* change : {"NULL_READY", "READY_PAUSED", "PAUSED_PLAYING", "PLAYING_PAUSED"}) {
        SCOPED_TRACE(change);
        const std::string suffix = std::string("-capture-graph.") + change + ".dot";
        std::string graph;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().ends_with(suffix)) {
                graph = testsupport::ReadFileBytes(entry.path());
            }
        }
        EXPECT_TRUE(graph.starts_with("digraph")) << graph.substr(0, 80);
        EXPECT_NE(graph.find("capture-graph"), std::string::npos);
        EXPECT_NE(graph.find("SampleGrab"), std::string::npos);
    }
}

TEST(PipelineDebug, FailuresAreLoggedAndAnUnusableGraphFolderDoesNotStopCapture) {
    CaptureLog log;
    testsupport::TestProgramFolder program;
    capture::testing::VirtualCamera camera;
    const auto source = capture::Source::Open(camera.Device());
    ASSERT_TRUE(source);
    capture::Pipeline pipeline;

    // The writer cannot open the clip: its error names the element and the file.
    const std::string clip = (program.Path() / "missing" / "V1.avi").string();
    EXPECT_EQ(pipeline.Start(*source, clip, nullptr), capture::E_FAIL);
    EXPECT_TRUE(log.Contains({"record-file", clip}));

    // A graph folder below a file cannot be created: logged, and the preview runs without it.
    const auto file = program.Path() / "not-a-folder";
    testsupport::WriteFileBytes(file, "x");
    GraphFolderVariable variable(file / "graphs");
    EXPECT_EQ(pipeline.Start(*source, "", nullptr), capture::S_OK);
    EXPECT_TRUE(log.Contains({"SORVANTI_PIPELINE_DOT", (file / "graphs").string()}));
    pipeline.Stop();
}

}  // namespace
