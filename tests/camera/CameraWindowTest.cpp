// The camera window's work: stills (one per second, edges of the buttons count), recordings and
// their clock, the four-pane view, the camera's keys, filing on Exit and Escape's discard.
#include <gtest/gtest.h>

#include "archive/ArchiveQueue.h"
#include "camera/CCameraManager.h"
#include "media/MediaLayout.h"
#include "platform/text/Text.h"
#include "review/CDlgImageBrowser.h"
#include "review/ImageBrowserWorkflow.h"
#include "review/ReviewIds.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/archive/SilentListener.h"
#include "tests/camera/CameraWindowFixture.h"
#include "tests/support/ClipProbe.h"
#include "utility/files/Files.h"

namespace {

namespace fs = std::filesystem;
using Button = CameraWindowLayout::Button;
using ui::testing::ModalWindow;
using Names = std::vector<std::string>;

TEST_F(CameraWindowTest, FillsTheScreenAboveTheTaskbarUnderThePatientsTitle) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        EXPECT_EQ(camera.WindowRect(), ui::Rect::FromSize(0, 0, 1920, 1040));
        EXPECT_EQ(camera.TitleText(), L"F444444444-Name444");
        EXPECT_EQ(camera.ButtonRect(Button::kStill), ui::Rect::FromSize(912, 960, 75, 74));
        EXPECT_EQ(camera.CloseRect(), ui::Rect::FromSize(1879, 0, 37, 38));
        window.PressEnter();  // does nothing
        EXPECT_TRUE(window.IsOpen());
        window.PressEscape();
    });
}

TEST_F(CameraWindowTest, TwoStillClicksWithinOneSecondGiveOneStill) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        Click(camera, Button::kStill);
        EXPECT_EQ(Files(Temp() / "images"), Names{"P2403020905071.bmp"});
        mClock.Advance(std::chrono::seconds(1));
        // The button's edges belong to it: the bottom-right corner takes a still too.
        const ui::Rect still = camera.ButtonRect(Button::kStill);
        ClickAt(camera, {still.right, still.bottom});
        ClickAt(camera, {still.right + 1, still.bottom});  // outside: nothing
        EXPECT_EQ(Files(Temp() / "images"), (Names{"P2403020905071.bmp", "P2403020905082.bmp"}));
        window.PressEscape();
    });
}

TEST_F(CameraWindowTest, TheFirstClipIsNamedAfterItsStartAndTheRedClockRunsFromOneSecond) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kRecord);
        ASSERT_TRUE(camera.IsRecording());
        EXPECT_TRUE(fs::exists(Temp() / "videos/V2403020905071.avi"));
        EXPECT_TRUE(WaitFor([&] { return camera.ClockText() == L"00:01"; }));
        const ui::Bitmap recording = ui::testing::Grab(camera);
        EXPECT_EQ(recording.Pixel(10, 47), ui::Rgb(255, 0, 0));  // the full view's frame
        mClock.Advance(std::chrono::seconds(1));
        EXPECT_TRUE(WaitFor([&] { return camera.ClockText() == L"00:02"; }));

        Click(camera, Button::kRecord);
        EXPECT_FALSE(camera.IsRecording());
        EXPECT_EQ(ui::testing::Grab(camera).Pixel(10, 47), ui::Rgb(255, 255, 255));
        window.PressEscape();
    });
    const ClipInfo clip = ProbeClip((Temp() / "videos/V2403020905071.avi").string());
    EXPECT_TRUE(clip.decoded);
    EXPECT_EQ(clip.width, 1920);
}

TEST_F(CameraWindowTest, TheStillButtonEndsARecordingAndThePosterTakesTheLivePane) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kViewToggle);
        ASSERT_FALSE(camera.Manager()->SingleView());
        Click(camera, Button::kRecord);
        ASSERT_TRUE(camera.IsRecording());
        Click(camera, Button::kStill);
        EXPECT_FALSE(camera.IsRecording());
        const QuadRing& ring = camera.Manager()->Ring();
        EXPECT_EQ(ring.PaneFile(0), camera.Manager()->TempImagesFolder() + L"V2403020905071.bmp");
        EXPECT_EQ(ring.NextSlot(), 1);
        EXPECT_EQ(Files(Temp() / "images"), Names{"V2403020905071.bmp"});  // no still taken
        window.PressEscape();
    });
}

TEST_F(CameraWindowTest, TheBrowserButtonEndsARecordingAndTheWindowComesBackInItsView) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kViewToggle);
        Click(camera, Button::kRecord);
        ASSERT_TRUE(camera.IsRecording());
        // The browser runs on the captures not yet filed, the clip's poster among them, while
        // this window is hidden.
        std::wstring shown;
        bool hidden = false;
        ui::testing::OnNextModal([&](ModalWindow& browser) {
            hidden = !camera.IsVisible();
            shown = static_cast<CDlgImageBrowser*>(browser.Dialog())->Workflow().SlotPaths()[0];
            browser.Click(imagebrowser::kBack);
        });
        Click(camera, Button::kBrowser);
        EXPECT_TRUE(hidden);
        EXPECT_EQ(shown, camera.Manager()->TempImagesFolder() + L"V2403020905071.bmp");
        EXPECT_FALSE(camera.IsRecording());
        EXPECT_TRUE(camera.IsVisible());
        EXPECT_FALSE(camera.Manager()->SingleView());
        EXPECT_EQ(camera.Manager()->Ring().NextSlot(), 0);  // every pane shows the live picture
        EXPECT_TRUE(camera.InputEnabled());
        EXPECT_TRUE(ProbeClip((Temp() / "videos/V2403020905071.avi").string()).decoded);
        window.PressEscape();
    });
}

TEST_F(CameraWindowTest, KeysAAndBHeldAndReleasedTakeOneStillAndStartOneClip) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        const auto holdAndRelease = [&](uint32_t key) {
            const int before = mCamera->UnitRequests();
            mCamera->PressKey(key);
            // Held over several polls: it still acts once, when let go.
            EXPECT_TRUE(WaitFor([&] { return mCamera->UnitRequests() >= before + 5; }));
            mCamera->ReleaseKey();
        };
        holdAndRelease(1);
        EXPECT_TRUE(WaitFor([&] { return !Files(Temp() / "images").empty(); }));
        mClock.Advance(std::chrono::seconds(1));
        holdAndRelease(2);
        EXPECT_TRUE(WaitFor([&] { return camera.IsRecording(); }));
        EXPECT_EQ(Files(Temp() / "images"), (Names{"P2403020905071.bmp", "V2403020905081.bmp"}));
        EXPECT_EQ(Files(Temp() / "videos"), Names{"V2403020905081.avi"});
        holdAndRelease(2);
        EXPECT_TRUE(WaitFor([&] { return !camera.IsRecording(); }));
        window.PressEscape();
    });
    // The camera was told the recording state: 2, then 0.
    std::vector<std::vector<uint8_t>> states;
    for (const auto& write : mCamera->UnitWrites()) {
        if (write.selector == 0x12) {
            states.push_back(write.data);
        }
    }
    EXPECT_EQ(states, (std::vector<std::vector<uint8_t>>{{2, 0, 0, 0}, {0, 0, 0, 0}}));
}

TEST_F(CameraWindowTest, ExitFilesTwoStillsAndAClipForThePatientAndEmptiesTemp) {
    ASSERT_TRUE(mStore.PhotoInsert({0, 4, L"P2403020905082", L"1/2/2024", L"seen before"}));
    Run(4, [&](ModalWindow&, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        mClock.Advance(std::chrono::seconds(1));
        Click(camera, Button::kStill);
        mClock.Advance(std::chrono::seconds(1));
        Click(camera, Button::kRecord);
        Click(camera, Button::kRecord);
        Click(camera, Button::kExit);
    });
    const fs::path patient = Database() / "4";
    const Names pictures = {"P2403020905071.bmp", "P2403020905082.bmp", "V2403020905091.bmp"};
    EXPECT_EQ(Files(patient / "images"), pictures);
    EXPECT_EQ(Files(patient / "images/thumbnail"), pictures);
    EXPECT_EQ(Files(patient / "videos"), Names{"V2403020905091.avi"});
    EXPECT_TRUE(ProbeClip((patient / "videos/V2403020905091.avi").string()).decoded);
    std::wstring today;
    UTILITY_GetDateString(today);
    for (const wchar_t* name : {L"P2403020905071", L"V2403020905091"}) {
        PhotoRecord photo{0, 4, name, L"", L""};
        ASSERT_TRUE(mStore.PhotoSelect(photo));
        EXPECT_EQ(photo.date, today);
        EXPECT_EQ(photo.comment, L"");
    }
    PhotoRecord seen{0, 4, L"P2403020905082", L"", L""};
    ASSERT_TRUE(mStore.PhotoSelect(seen));
    EXPECT_EQ(seen.comment, L"seen before");  // registered already: not inserted again
    EXPECT_TRUE(Files(Temp() / "images").empty());
    EXPECT_TRUE(Files(Temp() / "images/thumbnail").empty());
    EXPECT_TRUE(Files(Temp() / "videos").empty());
}

TEST_F(CameraWindowTest, ExitWithAnArchiveConfiguredQueuesTheCapturesAndConnectsNowhere) {
    archivetest::SilentListener archive;
    archivetest::WriteArchiveRegistry("127.0.0.1", archive.Port(), "ARCHIVE");
    int wakes = 0;
    std::wstring cameraName;
    Run(4, [&](ModalWindow&, CDlgCamera& camera) {
        camera.SetArchiveQueued([&] { ++wakes; });
        cameraName = camera.Manager()->Device().DisplayName();
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        mClock.Advance(std::chrono::seconds(1));
        Click(camera, Button::kStill);
        Click(camera, Button::kExit);
    });
    EXPECT_FALSE(archive.SomeoneConnected());
    EXPECT_EQ(wakes, 1);
    const auto pending = ArchiveQueue(ArchiveQueue::DefaultFolder()).Pending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].item.captureName, "P2403020905071");
    EXPECT_EQ(pending[1].item.captureName, "P2403020905082");
    EXPECT_EQ(pending[0].item.cameraName, text::ToUtf8(cameraName));
    EXPECT_FALSE(pending[0].item.cameraIdentity.empty());
}

TEST_F(CameraWindowTest, ExitWithNothingTakenInsertsNothingAndCloses) {
    Run(4, [&](ModalWindow&, CDlgCamera& camera) { Click(camera, Button::kExit); });
    EXPECT_TRUE(Files(Database() / "4/images").empty());
    EXPECT_FALSE(HasRow(4, L"P2403020905071"));
}

TEST_F(CameraWindowTest, EscapeFilesNothingAndTheNextPatientsWindowClearsTemp) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        Click(camera, Button::kRecord);
        window.PressEscape();
    });
    EXPECT_EQ(Files(Temp() / "images"), (Names{"P2403020905071.bmp", "V2403020905071.bmp"}));
    EXPECT_TRUE(ProbeClip((Temp() / "videos/V2403020905071.avi").string()).decoded);
    EXPECT_TRUE(Files(Database() / "4/images").empty());
    EXPECT_FALSE(HasRow(4, L"P2403020905071"));

    Run(5, [&](ModalWindow& window, CDlgCamera&) {
        EXPECT_TRUE(Files(Temp() / "images").empty());
        EXPECT_TRUE(Files(Temp() / "videos").empty());
        window.PressEscape();
    });
    EXPECT_TRUE(Files(Database() / "5/images").empty());
}

}  // namespace
