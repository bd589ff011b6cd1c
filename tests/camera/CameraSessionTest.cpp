// The camera window's rules on a camera that records what it is asked, with a hand-moved
// clock: stills once a second, recordings and their one end routine, the clock text.
#include "camera/CameraSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "camera/CameraPort.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/TestProgramFolder.h"

namespace {

using cameratest::ManualClock;
using Still = CameraSession::StillResult;

class FakeCamera final : public CameraPort {
  public:
    bool StartPreview() override {
        calls.push_back("preview");
        return true;
    }
    bool StartRecording(const std::wstring& aviPath) override {
        calls.push_back("record");
        clip = aviPath;
        if (graphStarts) {
            poster = aviPath.substr(aviPath.rfind(L'/') + 1);
            poster.replace(poster.size() - 4, 4, L".bmp");
        }
        return graphStarts;
    }
    void StopGraph() override { calls.push_back("stop"); }
    std::wstring PosterName() const override { return poster; }
    bool CaptureStill() override {
        calls.push_back("still");
        return true;
    }
    void AddToQuad(const std::wstring& fileName) override { quad.push_back(fileName); }
    bool SingleView() const override { return single; }
    void EnterQuadView() override { single = false; }
    void EnterSingleView() override { single = true; }
    void TellRecordingState(uint32_t value) override {
        std::lock_guard lock(mutex);
        states.push_back(value);
    }
    std::vector<uint32_t> States() {
        std::lock_guard lock(mutex);
        return states;
    }

    bool graphStarts = true;
    bool single = true;
    std::wstring clip;
    std::wstring poster;
    std::vector<std::string> calls;
    std::vector<std::wstring> quad;
    std::mutex mutex;
    std::vector<uint32_t> states;
};

class CameraSessionTest : public ::testing::Test {
  protected:
    int Repaints() const { return mRepaints; }
    std::wstring ClockAfter(int repaints) {
        EXPECT_TRUE(cameratest::WaitUntil([&] { return mRepaints >= repaints; }));
        return mSession.ClockText();
    }

    testsupport::TestProgramFolder mFolder;
    ManualClock mClock{2024, 3, 2, 9, 5, 7};
    FakeCamera mCamera;
    std::atomic<int> mRepaints{0};
    CameraSession mSession{mCamera, mClock, L"/temp/videos/", {}, [this] { ++mRepaints; }};
};

TEST_F(CameraSessionTest, OneStillPerSecond) {
    EXPECT_EQ(mSession.TakeStill(), Still::kTaken);
    EXPECT_EQ(mSession.TakeStill(), Still::kSameSecond);
    mClock.Advance(std::chrono::seconds(1));
    EXPECT_EQ(mSession.TakeStill(), Still::kTaken);
    EXPECT_EQ(std::count(mCamera.calls.begin(), mCamera.calls.end(), "still"), 2);
}

TEST_F(CameraSessionTest, FirstClipIsNamedAfterItsStartAndItsClockRunsOnTheClock) {
    ASSERT_TRUE(mSession.ToggleRecording());
    EXPECT_EQ(mCamera.clip, L"/temp/videos/V2403020905071.avi");
    EXPECT_EQ(ClockAfter(1), L"00:01");
    mClock.Advance(std::chrono::seconds(1));
    EXPECT_EQ(ClockAfter(2), L"00:02");
    mClock.Advance(std::chrono::minutes(100) - std::chrono::seconds(2));  // the 6000th second
    EXPECT_EQ(ClockAfter(3), L"100:00");

    EXPECT_FALSE(mSession.ToggleRecording());
    const std::wstring stopped = mSession.ClockText();
    mClock.Advance(std::chrono::seconds(5));
    EXPECT_EQ(mSession.ClockText(), stopped);  // no clock outlives its recording
    EXPECT_EQ(mCamera.quad, std::vector<std::wstring>{L"V2403020905071.bmp"});
    EXPECT_TRUE(cameratest::WaitUntil([&] { return mCamera.States().size() == 2; }));
    EXPECT_EQ(mCamera.States(), (std::vector<uint32_t>{2, 0}));
}

TEST_F(CameraSessionTest, StillKeyEndsARecordingAndItsPosterTakesThePane) {
    mSession.SwitchView();
    ASSERT_TRUE(mSession.ToggleRecording());
    mCamera.calls.clear();
    EXPECT_EQ(mSession.TakeStill(), Still::kEndedRecording);
    EXPECT_FALSE(mSession.Recording());
    EXPECT_EQ(mCamera.calls, (std::vector<std::string>{"stop", "preview"}));
    EXPECT_EQ(mCamera.quad, std::vector<std::wstring>{L"V2403020905071.bmp"});
}

TEST_F(CameraSessionTest, EveryPathEndsARecordingOnceAndTellsTheCamera) {
    const std::function<void()> paths[] = {
        [&] { mSession.ToggleRecording(); },
        [&] { mSession.TakeStill(); },
        [&] { mSession.SwitchView(); },
        [&] { mSession.EndRecording(true); },  // browser, exit, Escape, removal
        [&] { mSession.Shutdown(); },  // destruction
    };
    std::size_t told = 0;
    for (const auto& end : paths) {
        ASSERT_TRUE(mSession.ToggleRecording());
        end();
        EXPECT_FALSE(mSession.Recording());
        told += 2;
        mSession.Shutdown();  // waits until the camera has been told; ends nothing more
        EXPECT_EQ(mCamera.States().size(), told);
        EXPECT_EQ(mCamera.States().back(), 0u);
    }
    EXPECT_EQ(mCamera.quad.size(), std::size(paths));
}

TEST_F(CameraSessionTest, AGraphThatDidNotStartIsNoRecording) {
    mCamera.graphStarts = false;
    EXPECT_FALSE(mSession.ToggleRecording());
    EXPECT_FALSE(mSession.Recording());
    EXPECT_EQ(mCamera.calls, (std::vector<std::string>{"stop", "record", "stop", "preview"}));
    mSession.Shutdown();
    EXPECT_TRUE(mCamera.States().empty());
    EXPECT_EQ(Repaints(), 0);  // no clock was started
}

}  // namespace
