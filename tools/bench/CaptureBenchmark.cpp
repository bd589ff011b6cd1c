// Camera benchmark on the virtual camera at 1920 x 1080, 15 frames per second, for each of
// its two full-HD formats: the live picture's painted frame rate and the whole process's CPU
// load (median of 1-second windows over 10 s), the grabber copy time, and a 10-second
// recording with preview (frames written against frames expected). The virtual camera runs
// inside this process, so its own picture generation (and JPEG encoding for MJPG) is part of
// the CPU figure; a real camera does that work itself.
//
//   sorvanti_bench_capture
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "camera/CaptureGraph.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/text/Text.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "tests/support/ClipProbe.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSeconds = 10;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A camera-window stand-in: a full-screen host showing the live picture.
class PreviewWindow final : public ui::Dialog {
  public:
    PreviewWindow() : ui::Dialog(resources::kDialogCamera, nullptr) {}
    ui::StaticHost* host = nullptr;

  protected:
    bool OnInitDialog() override {
        SetPlacement({0, 0, 1920, 1040});
        ui::ControlTemplate control;
        control.id = 2013;
        control.kind = ui::ControlKind::StaticHost;
        host = dynamic_cast<ui::StaticHost*>(AddControl(control, {0, 0, 1920, 1040}));
        return true;
    }
};

void MeasurePreview(CaptureGraph& graph, int32_t format) {
    PreviewWindow window;
    ui::testing::OnNextModal([&](ui::testing::ModalWindow& modal) {
        if (!StartGraph(graph, window.host, WM_GRAPH_NOTIFY, format, L"", false)) {
            std::printf("  StartGraph failed\n");
            modal.End(2);
            return;
        }
        modal.WaitUntilEnded(1000);  // settle
        std::vector<double> load, rate;
        for (int second = 0; second < kSeconds; ++second) {
            const double cpu = CpuSeconds();
            const int painted = window.host->FramesPainted();
            const auto start = Clock::now();
            modal.WaitUntilEnded(1000);
            const double wall = std::chrono::duration<double>(Clock::now() - start).count();
            load.push_back(100.0 * (CpuSeconds() - cpu) / wall);
            rate.push_back((window.host->FramesPainted() - painted) / wall);
        }
        std::printf("  preview: %.1f frames/s painted, CPU %.0f %% of one core (medians)\n",
                    Median(rate), Median(load));

        std::vector<uint8_t> frame;
        int32_t size = 0;
        std::vector<double> copies;
        for (int i = 0; i < 100; ++i) {
            const auto start = Clock::now();
            GetFrameBuffer(graph, frame, size);
            copies.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::printf("  GetFrameBuffer copy (%d bytes): median %.2f ms\n", size, Median(copies));
        StopGraph(graph);
        modal.End(1);
    });
    window.DoModal();
}

void MeasureRecording(CaptureGraph& graph, int32_t format, const std::filesystem::path& clip) {
    PreviewWindow window;
    ui::testing::OnNextModal([&](ui::testing::ModalWindow& modal) {
        if (StartGraph(graph, window.host, WM_GRAPH_NOTIFY, format, text::FromPath(clip), true)) {
            const auto start = Clock::now();
            modal.WaitUntilEnded(kSeconds * 1000);
            StopGraph(graph);
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            const ClipInfo info = ProbeClip(clip.string());
            std::printf("  recording %.1f s: %d frames written, %.0f expected at 15 fps%s\n",
                        seconds, info.frames, seconds * 15, info.decoded ? "" : " (NOT DECODABLE)");
        }
        modal.End(1);
    });
    window.DoModal();
}

}  // namespace

int main() {
    ui::testing::StartUi();
    const auto folder = std::filesystem::temp_directory_path() / "sorvanti-bench-capture";
    std::filesystem::create_directories(folder);
    capture::testing::VirtualCamera camera;
    CaptureGraph graph;
    graph.formatFilterWidth = 1920;
    graph.formatFilterHeight = 1080;
    graph.forceFrameRate = 1;
    if (!OpenDevice(graph, camera.Device(), camera.Device().displayName)) {
        std::fprintf(stderr, "the virtual camera did not open\n");
        return 1;
    }
    for (int32_t format = 0; format < graph.captureFormatCount; ++format) {
        std::printf("%s\n", capture::Describe(graph.captureFormats[format]).c_str());
        MeasurePreview(graph, format);
        MeasureRecording(graph, format, folder / ("V" + std::to_string(format) + ".avi"));
    }
    ReleaseGraph(graph);
    std::filesystem::remove_all(folder);
    return 0;
}
