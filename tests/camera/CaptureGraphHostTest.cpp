// The capture graph with a real video host window: the live picture reaches the window, and
// the graph stays safe to stop, fit and release once the window is gone.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "camera/CaptureGraph.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/testing/UiTesting.h"

namespace {

constexpr int kHostDialog = 60101;
constexpr int kHostId = 2013;
constexpr auto kDeadline = std::chrono::seconds(30);

const ui::DialogTemplate kTemplate{
    kHostDialog, ui::kDialogCentered,
    L"Camera",   L"Courier New",
    8,           200,
    120,         {{kHostId, ui::ControlKind::StaticHost, 0, L"", 0, 0, 200, 120}}};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

class CaptureGraphHostTest : public ui::testing::UiTest {
  protected:
    void SetUp() override {
        mGraph.formatFilterWidth = 1920;
        mGraph.formatFilterHeight = 1080;
        mGraph.forceFrameRate = 1;
        ASSERT_TRUE(OpenDevice(mGraph, mCamera.Device(), mCamera.Device().displayName));
    }

    // The grabber's newest frame once it differs from `previous` (the test picture moves).
    std::vector<uint8_t> NextFrame(const std::vector<uint8_t>& previous) {
        std::vector<uint8_t> frame;
        int32_t size = 0;
        const auto deadline = std::chrono::steady_clock::now() + kDeadline;
        while ((!GetFrameBuffer(mGraph, frame, size) || frame == previous) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return frame;
    }

    capture::testing::VirtualCamera mCamera;
    CaptureGraph mGraph;
};

TEST_F(CaptureGraphHostTest, StopFitAndReleaseAfterTheHostWindowIsGone) {
    {
        ui::Dialog window(kHostDialog, nullptr);
        ui::testing::OnNextModal([&](ui::testing::ModalWindow& modal) {
            auto* host = window.Control<ui::StaticHost>(kHostId);
            if (StartGraph(mGraph, host, WM_GRAPH_NOTIFY, 1, L"", false)) {
                const auto deadline = std::chrono::steady_clock::now() + kDeadline;
                while (host->FramesPainted() == 0 && std::chrono::steady_clock::now() < deadline) {
                    ui::testing::PumpEvents(10);
                }
            }
            EXPECT_GT(host->FramesPainted(), 0);
            FitVideoWindow(mGraph);
            modal.End(1);
        });
        window.DoModal();
    }

    // The window and its host are destroyed while the graph still streams; frames keep
    // arriving, and every graph operation that follows must leave the window's memory alone.
    const std::vector<uint8_t> frame = NextFrame({});
    EXPECT_NE(NextFrame(frame), frame);
    FitVideoWindow(mGraph);
    StopGraph(mGraph);
    FitVideoWindow(mGraph);
    ReleaseGraph(mGraph);
    ui::testing::PumpEvents();
}

}  // namespace
