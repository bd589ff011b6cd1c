// The detail dialog on screen: its layout, font, colours and opacity; the comment shown at
// opening (also when the picture does not load), stored on Exit by update or insert, not on
// Escape, and any text round-tripping through the editor and the database.
#include <gtest/gtest.h>

#include "platform/ui/Screen.h"
#include "review/CDlgImageDetail.h"
#include "review/ImageDetailWorkflow.h"
#include "review/ReviewIds.h"
#include "tests/review/ReviewWindowTest.h"
#include "utility/files/Files.h"

namespace {

using namespace imagedetail;
using namespace reviewtest;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

const ui::Color kRed = ui::Rgb(200, 40, 40);

class ImageDetailWindowTest : public ReviewWindowTest {
  protected:
    // Runs the detail dialog on picture `name` with `steps`, which must end it.
    void Run(const std::string& name,
             const std::function<void(ModalWindow&, CDlgImageDetail&)>& steps) {
        CDlgImageDetail detail(nullptr);
        detail.SetMediaContext(&mCaptures.Store(), PatientCaptures::kCustomer,
                               mCaptures.ImageFolder(), mCaptures.VideoFolder(),
                               mCaptures.PicturePath(name));
        OnNextModal([&](ModalWindow& window) { steps(window, detail); });
        detail.DoModal();
    }
    // Opens the dialog on `name`, reads the editor, and leaves with Escape.
    std::wstring EditorText(const std::string& name) {
        std::wstring shown;
        Run(name, [&](ModalWindow& window, CDlgImageDetail&) {
            shown = window.ControlText(kComment);
            window.PressEscape();
        });
        return shown;
    }
};

TEST_F(ImageDetailWindowTest, LayoutPutsThePictureAboveTheEditorOnTheGreyPanel) {
    mCaptures.Add("P1.bmp", kRed);
    Run("P1.bmp", [](ModalWindow& window, CDlgImageDetail& detail) {
        EXPECT_EQ(window.WindowRect(), ui::Rect::FromSize(0, 0, 1920, 1040));
        const struct {
            int id;
            ui::Rect rect;
        } placements[] = {
            {kInfoBand, ui::Rect::FromSize(130, 0, 1749, 40)},
            {kExit, ui::Rect::FromSize(1879, 0, 36, 40)},
            {kPicture, ui::Rect::FromSize(482, 80, 940, 445)},
            {kComment, ui::Rect::FromSize(362, 555, 1190, 345)},
            {kPrevious, ui::Rect::FromSize(732, 955, 71, 78)},
            {kNext, ui::Rect::FromSize(1092, 955, 71, 80)},
        };
        for (const auto& placement : placements) {
            EXPECT_EQ(Placement(detail, placement.id), placement.rect) << placement.id;
        }
        EXPECT_EQ(Shown(detail, kPicture), kRed);
        const ui::Bitmap drawn = window.Grab();
        EXPECT_EQ(drawn.Pixel(40, 75), ui::Rgb(102, 102, 102)) << "the panel";
        EXPECT_EQ(drawn.Pixel(5, 75), ui::Rgb(26, 26, 26)) << "the background";
        EXPECT_EQ(drawn.Pixel(370, 560), ui::Rgb(102, 102, 102)) << "the editor";
        window.PressEscape();
    });
}

TEST_F(ImageDetailWindowTest, ExitUpdatesTheStoredCommentAndInsertsARowOtherwise) {
    mCaptures.Add("P1.bmp", kRed, true, L"abc");
    mCaptures.Add("P2.bmp", kRed, false);
    Run("P1.bmp", [](ModalWindow& window, CDlgImageDetail&) {
        EXPECT_EQ(window.ControlText(kComment), L"abc");
        window.Type(kComment, L"abc\r\nlarger since");
        window.Click(kExit);
    });
    ASSERT_EQ(mCaptures.Rows(L"P1").size(), 1u);
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, L"abc\r\nlarger since");

    Run("P2.bmp", [](ModalWindow& window, CDlgImageDetail&) {
        EXPECT_EQ(window.ControlText(kComment), L"");
        window.Type(kComment, L"first note");
        window.Click(kExit);
    });
    const std::vector<PhotoRecord> rows = mCaptures.Rows(L"P2");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].customerSerialNumber, PatientCaptures::kCustomer);
    EXPECT_EQ(rows[0].comment, L"first note");
    // Today, as the row was written: month/day/year without leading zeros.
    EXPECT_EQ(rows[0].date, ImageDetailWorkflow::Today());
}

TEST_F(ImageDetailWindowTest, EscapeStoresNothing) {
    mCaptures.Add("P1.bmp", kRed, true, L"abc");
    mCaptures.Add("P2.bmp", kRed, false);
    for (const char* name : {"P1.bmp", "P2.bmp"}) {
        Run(name, [](ModalWindow& window, CDlgImageDetail&) {
            window.Type(kComment, L"typed, then Escape");
            window.PressEscape();
            EXPECT_FALSE(window.IsOpen());
        });
    }
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, L"abc");
    EXPECT_TRUE(mCaptures.Rows(L"P2").empty());
}

TEST_F(ImageDetailWindowTest, CommentWithApostropheAndNonLatinTextRoundTrips) {
    mCaptures.Add("P1.bmp", kRed, false);
    const std::wstring comment =
        L"Patient's lesion; \"don't\" -- 病変 2 cm, Ωμέγα, Überweisung 😀\r\n'; DROP TABLE x;--";
    Run("P1.bmp", [&](ModalWindow& window, CDlgImageDetail&) {
        window.Type(kComment, comment);
        window.Click(kExit);
    });
    ASSERT_EQ(mCaptures.Rows(L"P1").size(), 1u);
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, comment);
    EXPECT_EQ(EditorText("P1.bmp"), comment);
}

// A picture that is not a bitmap still shows its stored comment, so that Exit keeps it.
TEST_F(ImageDetailWindowTest, StoredCommentShowsAndSurvivesExitWhenThePictureDoesNotLoad) {
    mCaptures.Add("P1.bmp", kRed, true, L"abc");
    testsupport::WriteFileBytes(mCaptures.Images() / "P1.bmp", "damaged");
    Run("P1.bmp", [](ModalWindow& window, CDlgImageDetail& detail) {
        EXPECT_FALSE(ShowsPicture(detail, kPicture));
        EXPECT_EQ(window.ControlText(kComment), L"abc");
        window.Click(kExit);
    });
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, L"abc");
}

TEST_F(ImageDetailWindowTest, NextStoresAndShowsTheNextCapturesComment) {
    mCaptures.Add("P1.bmp", kRed, true, L"first");
    mCaptures.Add("P2.bmp", ui::Rgb(40, 200, 40), true, L"second");
    Run("P1.bmp", [](ModalWindow& window, CDlgImageDetail& detail) {
        window.Type(kComment, L"first, edited");
        window.Click(kNext);
        EXPECT_EQ(window.ControlText(kComment), L"second");
        EXPECT_EQ(Shown(detail, kPicture), ui::Rgb(40, 200, 40));
        window.Click(kNext);
        EXPECT_EQ(window.ControlText(kComment), L"second") << "the last capture keeps the text";
        window.PressEscape();
    });
    EXPECT_EQ(mCaptures.Rows(L"P1")[0].comment, L"first, edited");
}

}  // namespace
