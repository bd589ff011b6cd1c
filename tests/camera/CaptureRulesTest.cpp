// The camera's naming, four-pane ring and window layout, without a screen.
#include <gtest/gtest.h>

#include <filesystem>

#include "camera/CameraWindowLayout.h"
#include "camera/CaptureNames.h"
#include "camera/QuadRing.h"
#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"

namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(CaptureNamesTest, RunningDigitStartsAtOneWrapsAfterNineAndSkipsTakenNames) {
    const std::tm time = At(2024, 1, 15, 12, 30, 45);
    int counter = 0;
    EXPECT_EQ(NextCaptureName(CaptureKind::kStill, time, counter, {}), L"P2401151230451");
    for (int i = 2; i <= 10; ++i) {
        NextCaptureName(CaptureKind::kStill, time, counter, {});
    }
    EXPECT_EQ(NextCaptureName(CaptureKind::kStill, time, counter, {}), L"P2401151230451");

    // A clock set back: the patient already has the picture of digit 2 and Temp the clip of
    // digit 3, so the next clip (digit 2 by the counter) becomes digit 4; with a workstation
    // tag alike, and only names of the same tag are taken.
    testsupport::TestProgramFolder folder;
    const fs::path images = folder.Path() / "images";
    const fs::path videos = folder.Path() / "videos";
    fs::create_directories(images);
    fs::create_directories(videos);
    for (const std::string tag : {"", "ws2"}) {
        SCOPED_TRACE(tag);
        testsupport::WriteFileBytes(images / ("V240302090507" + tag + "2.bmp"), "poster");
        testsupport::WriteFileBytes(videos / ("V240302090507" + tag + "3.avi"), "clip");
        const CaptureNameFolders taken{
            {text::FromPath(images) + L"/"}, {text::FromPath(videos) + L"/"}, text::FromUtf8(tag)};
        int clips = 1;
        EXPECT_EQ(NextCaptureName(CaptureKind::kClip, At(2024, 3, 2, 9, 5, 7), clips, taken),
                  text::FromUtf8("V240302090507" + tag + "4"));
        EXPECT_EQ(clips, 4);
    }
}

class QuadRingTest : public ::testing::Test {
  protected:
    QuadRingTest() {
        for (const char* sub : {"images/thumbnail", "videos"}) {
            fs::create_directories(mFolder.Path() / sub);
        }
    }

    // A capture in Temp: picture and thumbnail, and a clip for a V name.
    void Capture(const std::string& title) {
        testsupport::WriteFileBytes(Images() / (title + ".bmp"), "picture");
        testsupport::WriteFileBytes(Images() / "thumbnail" / (title + ".bmp"), "thumbnail");
        if (title.front() == 'V') {
            testsupport::WriteFileBytes(mFolder.Path() / "videos" / (title + ".avi"), "clip");
        }
    }
    bool Kept(const std::string& title) const {
        return fs::exists(Images() / (title + ".bmp")) &&
               fs::exists(Images() / "thumbnail" / (title + ".bmp"));
    }
    bool ClipKept(const std::string& title) const {
        return fs::exists(mFolder.Path() / "videos" / (title + ".avi"));
    }
    fs::path Images() const { return mFolder.Path() / "images"; }
    static std::wstring Bmp(const std::string& title) { return text::FromUtf8(title) + L".bmp"; }

    testsupport::TestProgramFolder mFolder;
    QuadRing mRing{text::FromPath(mFolder.Path() / "images") + L"/",
                   text::FromPath(mFolder.Path() / "images/thumbnail") + L"/",
                   text::FromPath(mFolder.Path() / "videos") + L"/"};
};

TEST_F(QuadRingTest, FifthCaptureEvictsTheOldestWithItsClipAndTakesPaneZero) {
    mRing.EnterQuadView();
    const std::string titles[] = {"V1", "P2", "P3", "P4", "P5"};
    for (int i = 0; i < 4; ++i) {
        Capture(titles[i]);
        EXPECT_EQ(mRing.Add(Bmp(titles[i])), i);
    }
    EXPECT_EQ(mRing.NextSlot(), 0);  // the live picture is back in pane 0
    for (int pane = 0; pane < 4; ++pane) {
        EXPECT_FALSE(mRing.IsEmpty(pane));
    }
    Capture(titles[4]);
    EXPECT_EQ(mRing.Add(Bmp(titles[4])), 0);
    EXPECT_FALSE(Kept("V1"));
    EXPECT_FALSE(ClipKept("V1"));
    for (const char* title : {"P2", "P3", "P4", "P5"}) {
        EXPECT_TRUE(Kept(title)) << title;
    }
    EXPECT_EQ(mRing.PaneFile(0), text::FromPath(Images()) + L"/P5.bmp");
}

TEST_F(QuadRingTest, HiddenPanesAreEvictedNextAndSingleViewKeepsEverything) {
    Capture("P0");
    EXPECT_EQ(mRing.Add(Bmp("P0")), -1);  // single view: nothing shown, nothing evicted

    mRing.EnterQuadView();
    for (const char* title : {"P1", "P2"}) {
        Capture(title);
        mRing.Add(Bmp(title));
    }
    mRing.EnterQuadView();  // every pane mirrors the live picture again, files stay
    EXPECT_TRUE(mRing.IsEmpty(0));
    EXPECT_TRUE(Kept("P1"));
    Capture("P3");
    EXPECT_EQ(mRing.Add(Bmp("P3")), 0);
    EXPECT_FALSE(Kept("P1"));
    EXPECT_TRUE(Kept("P2"));
    EXPECT_TRUE(Kept("P0"));
}

TEST(CameraWindowLayoutTest, FullHdScreenAboveTheTaskbar) {
    const SlotLayout slots = ComputeSlotLayout(1920, 1080);
    EXPECT_EQ(slots.slotWidth, 940);
    EXPECT_EQ(slots.slotHeight, 445);
    EXPECT_EQ(slots.slotD, (ui::Point{962, 505}));

    const CameraWindowLayout layout = ComputeCameraWindowLayout(slots, 1920, 1080, 40);
    EXPECT_EQ(layout.window, (ui::Size{1920, 1040}));
    EXPECT_EQ(layout.titleBand, (ui::Rect{130, 0, 1879, 40}));
    EXPECT_EQ(layout.close, (ui::Point{1879, 0}));
    // The row under the grid: x0 = 12 + (1890 - 450) / 2, y = 505 + 445 + 10.
    EXPECT_EQ(layout.buttons[CameraWindowLayout::kExit], (ui::Point{732, 960}));
    EXPECT_EQ(layout.buttons[CameraWindowLayout::kViewToggle], (ui::Point{1092, 960}));
    EXPECT_EQ(layout.clockBox, (ui::Rect{1746, 960, 1906, 1035}));
    EXPECT_EQ(layout.fullView, ui::Rect::FromSize(12, 50, 1890, 900));
    EXPECT_EQ(layout.panes[2], ui::Rect::FromSize(12, 505, 940, 445));

    const auto bars = FrameBars(ui::Rect::FromSize(12, 50, 940, 445));
    EXPECT_EQ(bars[0], (ui::Rect{8, 46, 956, 48}));     // top
    EXPECT_EQ(bars[1], (ui::Rect{8, 497, 956, 499}));   // bottom
    EXPECT_EQ(bars[2], (ui::Rect{8, 46, 10, 499}));     // left
    EXPECT_EQ(bars[3], (ui::Rect{954, 46, 956, 499}));  // right
}

}  // namespace
