// The comment dialog on screen: its layout, stepping through the folder with the picture
// following, deleting a video capture, a delete that fails, playing the clip and closing when
// the detail dialog deleted the capture.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/text/Text.h"
#include "review/CDlgImageComment.h"
#include "review/CDlgImageDetail.h"
#include "review/CaptureWalk.h"
#include "review/ReviewIds.h"
#include "tests/review/ReviewWindowTest.h"

namespace {

using namespace imagecomment;
using reviewtest::PatientCaptures;
using namespace reviewtest;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

const ui::Color kRed = ui::Rgb(200, 40, 40);
const ui::Color kGreen = ui::Rgb(40, 200, 40);
const ui::Color kBlue = ui::Rgb(40, 40, 200);

class ImageCommentWindowTest : public reviewtest::ReviewWindowTest {
  protected:
    // Runs the comment dialog on `path` with `steps`; Exit closes it unless the steps did.
    int Run(const std::wstring& path,
            const std::function<void(ModalWindow&, CDlgImageComment&)>& steps,
            int32_t customer = PatientCaptures::kCustomer) {
        CDlgImageComment comment(nullptr);
        comment.SetMediaContext(&mCaptures.Store(), customer, mCaptures.ImageFolder(),
                                mCaptures.VideoFolder(), path);
        OnNextModal([&](ModalWindow& window) {
            steps(window, comment);
            if (window.IsOpen()) {
                window.Click(kExit);
            }
        });
        return comment.DoModal();
    }
};

TEST_F(ImageCommentWindowTest, LayoutShowsThePictureOverTheWholeGrid) {
    mCaptures.Add("P1.bmp", kRed);
    Run(
        mCaptures.PicturePath("P1.bmp"),
        [](ModalWindow& window, CDlgImageComment& comment) {
            EXPECT_EQ(window.WindowRect(), ui::Rect::FromSize(0, 0, 1920, 1040));
            EXPECT_EQ(comment.BackgroundColor(), ui::Rgb(26, 26, 26));
            const struct {
                int id;
                ui::Rect rect;
            } placements[] = {
                {kHeader, ui::Rect::FromSize(0, 0, 130, 40)},
                {kInfoBand, ui::Rect::FromSize(130, 0, 1749, 40)},
                {kExit, ui::Rect::FromSize(1879, 0, 36, 40)},
                {kPicture, ui::Rect::FromSize(12, 50, 1890, 900)},
                {kPrevious, ui::Rect::FromSize(732, 955, 71, 78)},
                {kMailTo, ui::Rect::FromSize(822, 955, 77, 77)},
                {kDetail, ui::Rect::FromSize(912, 955, 71, 75)},
                {kDelete, ui::Rect::FromSize(1002, 955, 72, 82)},
                {kNext, ui::Rect::FromSize(1092, 955, 71, 80)},
            };
            for (const auto& placement : placements) {
                EXPECT_EQ(Placement(comment, placement.id), placement.rect) << placement.id;
            }
            EXPECT_EQ(Shown(comment, kPicture), kRed);
            EXPECT_EQ(comment.Control<ui::Button>(kPicture)->CurrentBitmap().Dimensions(),
                      (ui::Size{1890, 900}));
            EXPECT_EQ(window.ControlText(kInfoBand), L"Sorvanti");
        },
        42);
}

TEST_F(ImageCommentWindowTest, PreviousAndNextShowTheNeighboursAndStopAtTheEnds) {
    mCaptures.Add("P1.bmp", kRed);
    mCaptures.Add("P2.bmp", kGreen);
    mCaptures.Add("P3.bmp", kBlue);
    Run(mCaptures.PicturePath("P2.bmp"), [&](ModalWindow& window, CDlgImageComment& comment) {
        EXPECT_EQ(Shown(comment, kPicture), kGreen);
        const struct {
            int button;
            const char* path;
            ui::Color shown;
        } steps[] = {{kPrevious, "P1.bmp", kRed},
                     {kPrevious, "P1.bmp", kRed},
                     {kNext, "P2.bmp", kGreen},
                     {kNext, "P3.bmp", kBlue},
                     {kNext, "P3.bmp", kBlue}};
        for (const auto& step : steps) {
            window.Click(step.button);
            EXPECT_EQ(comment.Capture().Path(), mCaptures.PicturePath(step.path));
            EXPECT_EQ(Shown(comment, kPicture), step.shown) << step.path;
        }
    });
}

TEST_F(ImageCommentWindowTest, DeleteOfAVideoCaptureRemovesEverythingAndCloses) {
    reviewtest::RecordingPlayer player(mCaptures.Folder());
    mCaptures.Add("V1603071.bmp", kRed);
    const int result = Run(mCaptures.PicturePath("V1603071.bmp"), [&](ModalWindow& window,
                                                                      CDlgImageComment&) {
        window.DoubleClick(kPicture);
        EXPECT_EQ(player.WaitForArguments(1),
                  std::vector<std::string>{text::ToUtf8(mCaptures.VideoFolder()) + "V1603071.avi"});
        AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdNo);
        window.Click(kDelete);
        EXPECT_TRUE(window.IsOpen());
        AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
        window.Click(kDelete);
        EXPECT_FALSE(window.IsOpen());
    });
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(mCaptures.HasPicture("V1603071"));
    EXPECT_FALSE(mCaptures.HasThumbnail("V1603071"));
    EXPECT_FALSE(mCaptures.HasClip("V1603071"));
    EXPECT_FALSE(mCaptures.HasRow(L"V1603071"));
}

TEST_F(ImageCommentWindowTest, DetailDeletingTheCaptureClosesThisDialogOnReturn) {
    mCaptures.Add("P1.bmp", kRed);
    mCaptures.Add("P2.bmp", kGreen);
    Run(mCaptures.PicturePath("P1.bmp"), [&](ModalWindow& window, CDlgImageComment&) {
        // Stepping in the detail dialog leaves this dialog's capture alone.
        OnNextModal([](ModalWindow& detail) {
            detail.Click(imagedetail::kNext);
            detail.Click(imagedetail::kExit);
        });
        window.Click(kDetail);
        EXPECT_TRUE(window.IsOpen());

        OnNextModal([&](ModalWindow& detail) {
            auto* dialog = dynamic_cast<CDlgImageDetail*>(detail.Dialog());
            ASSERT_NE(dialog, nullptr);
            AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
            detail.Click(imagedetail::kDelete);
        });
        window.Click(kDetail);
        EXPECT_FALSE(window.IsOpen());
    });
    EXPECT_FALSE(mCaptures.HasPicture("P1") || mCaptures.HasRow(L"P1"));
    EXPECT_TRUE(mCaptures.HasPicture("P2") && mCaptures.HasRow(L"P2"));
}

using ImageCommentDeleteFailureTest = reviewtest::UnprivilegedReviewWindowTest;

TEST_F(ImageCommentDeleteFailureTest, PictureThatCannotBeDeletedSaysSoAndStays) {
    if (!mCaptures.PermissionsEnforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    mCaptures.Add("P1.bmp", kRed, true, L"keep me");
    ::chmod(mCaptures.Images().c_str(), 0555);
    CDlgImageComment comment(nullptr);
    comment.SetMediaContext(&mCaptures.Store(), PatientCaptures::kCustomer, mCaptures.ImageFolder(),
                            mCaptures.VideoFolder(), mCaptures.PicturePath("P1.bmp"));
    OnNextModal([&](ModalWindow& window) {
        AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
        ExpectMessage(L"Delete fail.");
        window.Click(kDelete);
        EXPECT_TRUE(window.IsOpen());
        EXPECT_EQ(comment.Capture().Path(), mCaptures.PicturePath("P1.bmp"));
        EXPECT_EQ(Shown(comment, kPicture), kRed);
        window.Click(kExit);
    });
    comment.DoModal();
    ::chmod(mCaptures.Images().c_str(), 0755);
    EXPECT_TRUE(mCaptures.HasPicture("P1") && mCaptures.HasThumbnail("P1"));
    ASSERT_EQ(mCaptures.Rows(L"P1").size(), 1u);
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, L"keep me");
}

}  // namespace
