// The image browser on screen: its layout over the screen above the taskbar, the slots'
// pictures and selection frame, Comment on an empty slot, Delete, the empty folder, playing a
// clip and closing when the comment dialog deleted the last capture.
#include <gtest/gtest.h>

#include "platform/text/Text.h"
#include "review/CDlgImageBrowser.h"
#include "review/CDlgImageComment.h"
#include "review/CaptureWalk.h"
#include "review/ImageBrowserWorkflow.h"
#include "review/ReviewIds.h"
#include "tests/review/ReviewWindowTest.h"

namespace {

using namespace imagebrowser;
using reviewtest::PatientCaptures;
using namespace reviewtest;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

const ui::Color kColors[] = {ui::Rgb(200, 40, 40),  ui::Rgb(40, 200, 40),  ui::Rgb(40, 40, 200),
                             ui::Rgb(200, 200, 40), ui::Rgb(40, 200, 200), ui::Rgb(200, 40, 200)};

class ImageBrowserWindowTest : public reviewtest::ReviewWindowTest {
  protected:
    // Runs the browser on the patient's folders with `steps` while it is shown; Exit closes it
    // afterwards unless the steps did.
    int Run(const std::function<void(ModalWindow&, CDlgImageBrowser&)>& steps) {
        CDlgImageBrowser browser(nullptr);
        browser.SetMediaContext(&mCaptures.Store(), PatientCaptures::kCustomer,
                                mCaptures.ImageFolder(), mCaptures.VideoFolder());
        OnNextModal([&](ModalWindow& window) {
            steps(window, browser);
            if (window.IsOpen()) {
                window.Click(kExit);
            }
        });
        return browser.DoModal();
    }
    void AddSix() {
        for (int i = 0; i < 6; ++i) {
            mCaptures.Add("P" + std::to_string(i + 1) + ".bmp", kColors[i]);
        }
    }
    static ui::Rect Frame(int x, int y) { return ui::Rect::FromSize(x - 5, y - 10, 950, 458); }
};

TEST_F(ImageBrowserWindowTest, LayoutFillsTheScreenAboveTheTaskbar) {
    AddSix();
    Run([](ModalWindow& window, CDlgImageBrowser& browser) {
        EXPECT_EQ(window.WindowRect(), ui::Rect::FromSize(0, 0, 1920, 1040));
        EXPECT_EQ(browser.BackgroundColor(), ui::Rgb(66, 68, 79));
        const struct {
            int id;
            ui::Rect rect;
        } placements[] = {
            {kHeader, ui::Rect::FromSize(0, 0, 130, 40)},
            {kInfoBand, ui::Rect::FromSize(130, 0, 1674, 40)},
            {kExit, ui::Rect::FromSize(1879, 0, 36, 40)},
            {kSlots[0], ui::Rect::FromSize(12, 50, 940, 445)},
            {kSlots[1], ui::Rect::FromSize(962, 50, 940, 445)},
            {kSlots[2], ui::Rect::FromSize(12, 505, 940, 445)},
            {kSlots[3], ui::Rect::FromSize(962, 505, 940, 445)},
            {kBack, ui::Rect::FromSize(777, 955, 79, 77)},
            {kMailTo, ui::Rect::FromSize(867, 955, 80, 77)},
            {kComment, ui::Rect::FromSize(957, 955, 80, 76)},
            {kDelete, ui::Rect::FromSize(1047, 955, 80, 76)},
            {kSelectionFrame, Frame(962, 505)},
        };
        for (const auto& placement : placements) {
            EXPECT_EQ(Placement(browser, placement.id), placement.rect) << placement.id;
        }
        EXPECT_FALSE(browser.FindControl(kMedicalRec)->IsVisible());
        EXPECT_FALSE(browser.FindControl(kSelIndicator)->IsVisible());
        EXPECT_EQ(window.ControlText(kInfoBand), L"F333333333-Name333");
    });
}

TEST_F(ImageBrowserWindowTest, OneCaptureFillsSlotAAndCommentOnAnEmptySlotSaysSo) {
    mCaptures.Add("P1.bmp", kColors[0]);
    Run([](ModalWindow& window, CDlgImageBrowser& browser) {
        EXPECT_EQ(Shown(browser, kSlots[0]), kColors[0]);
        for (int slot : {kSlots[1], kSlots[2], kSlots[3]}) {
            EXPECT_FALSE(ShowsPicture(browser, slot));
        }
        EXPECT_EQ(browser.Workflow().SelectedSlot(), 0);
        EXPECT_EQ(Placement(browser, kSelectionFrame), Frame(12, 50));
        window.Click(kSlots[1]);
        EXPECT_EQ(Placement(browser, kSelectionFrame), Frame(962, 50));
        ExpectMessage(L"Empty file.");
        window.Click(kComment);
    });
}

TEST_F(ImageBrowserWindowTest, SixCapturesShowTheLastFourAndDeleteEmptiesTheSelectedSlot) {
    AddSix();
    Run([&](ModalWindow& window, CDlgImageBrowser& browser) {
        for (int slot = 0; slot < 4; ++slot) {
            EXPECT_EQ(Shown(browser, kSlots[slot]), kColors[slot + 2]) << "slot " << slot;
        }
        EXPECT_EQ(browser.Workflow().SelectedSlot(), 3);

        AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdNo);
        window.Click(kDelete);
        EXPECT_EQ(Shown(browser, kSlots[3]), kColors[5]);
        EXPECT_TRUE(mCaptures.HasPicture("P6") && mCaptures.HasRow(L"P6"));

        AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
        window.Click(kDelete);
        EXPECT_FALSE(ShowsPicture(browser, kSlots[3]));
        EXPECT_EQ(browser.Workflow().SlotPaths()[3], L"");
        EXPECT_EQ(browser.Workflow().SelectedSlot(), 3);
        EXPECT_EQ(Placement(browser, kSelectionFrame), Frame(962, 505));
        for (int slot = 0; slot < 3; ++slot) {
            EXPECT_EQ(Shown(browser, kSlots[slot]), kColors[slot + 2]) << "slot " << slot;
        }
    });
    EXPECT_FALSE(mCaptures.HasPicture("P6") || mCaptures.HasThumbnail("P6"));
    EXPECT_FALSE(mCaptures.HasRow(L"P6"));
    EXPECT_TRUE(mCaptures.HasPicture("P5") && mCaptures.HasRow(L"P5"));
}

TEST_F(ImageBrowserWindowTest, EmptyFolderSaysSoAndCloses) {
    CDlgImageBrowser browser(nullptr);
    browser.SetMediaContext(&mCaptures.Store(), 42, mCaptures.ImageFolder(),
                            mCaptures.VideoFolder());
    ExpectMessage(L"No images shows up, please take image first.");
    browser.DoModal();
}

TEST_F(ImageBrowserWindowTest, DoubleClickPlaysTheClipOfAVideoSlotOnly) {
    reviewtest::RecordingPlayer player(mCaptures.Folder());
    mCaptures.Add("P1603071.bmp", kColors[0]);
    mCaptures.Add("V1603071.bmp", kColors[1]);
    Run([](ModalWindow& window, CDlgImageBrowser& browser) {
        window.Click(kSlots[0]);
        window.DoubleClick(kSlots[0]);
        window.Click(kSlots[1]);
        window.DoubleClick(kSlots[1]);
        EXPECT_EQ(browser.Workflow().SelectedSlot(), 1);
    });
    EXPECT_EQ(player.WaitForArguments(1),
              std::vector<std::string>{text::ToUtf8(mCaptures.VideoFolder()) + "V1603071.avi"});
}

TEST_F(ImageBrowserWindowTest, CommentDialogOnTheSelectedCaptureAndReloadAfterwards) {
    mCaptures.Add("P1.bmp", kColors[0]);
    mCaptures.Add("V2.bmp", kColors[1]);
    const int result = Run([&](ModalWindow& window, CDlgImageBrowser& browser) {
        OnNextModal([&](ModalWindow& comment) {
            auto* dialog = dynamic_cast<CDlgImageComment*>(comment.Dialog());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->Capture().Path(), mCaptures.PicturePath("V2.bmp"));
            AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
            comment.Click(imagecomment::kDelete);
        });
        window.Click(kComment);
        EXPECT_EQ(browser.Workflow().SlotPaths()[0], mCaptures.PicturePath("P1.bmp"));
        EXPECT_EQ(browser.Workflow().SlotPaths()[1], L"");
        EXPECT_FALSE(ShowsPicture(browser, kSlots[1]));
        EXPECT_EQ(browser.Workflow().SelectedSlot(), 0);

        // The last capture deleted there closes the browser too, without a message.
        OnNextModal([](ModalWindow& comment) {
            AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
            comment.Click(imagecomment::kDelete);
        });
        window.Click(kComment);
        EXPECT_FALSE(window.IsOpen());
    });
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(mCaptures.HasPicture("V2") || mCaptures.HasThumbnail("V2"));
    EXPECT_FALSE(mCaptures.HasClip("V2") || mCaptures.HasRow(L"V2"));
    EXPECT_FALSE(mCaptures.HasPicture("P1") || mCaptures.HasRow(L"P1"));
}

}  // namespace
