// The skinned message and yes/no boxes, the start-up cover and the open-file dialog, driven
// headless: sizes, button places, results and the cover closing itself.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/boxes/CCoverDlg.h"
#include "utility/boxes/CImageMsgBoxDlg.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"
#include "utility/boxes/FileDialog.h"

namespace {

using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

class SkinnedBoxTest : public ui::testing::UiTest {};

TEST_F(SkinnedBoxTest, ShortMessageBoxFitsTheOkButton) {
    CImageMsgBoxDlg box(nullptr, L"Hi");
    OnNextModal([&box](ModalWindow& window) {
        EXPECT_EQ(box.ClientRect(), (ui::Rect{0, 0, 139, 100}));
        EXPECT_EQ(box.FindControl(resources::kControlBoxOk)->PlacementRect(),
                  ui::Rect::FromSize(50, 61, 79, 29));
        // The face is painted on the button, and a frame keeps the box apart from its owner.
        const ui::Bitmap shown = window.Grab();
        const ui::Bitmap face = ui::Bitmap::FromResource(resources::kBitmapOk);
        EXPECT_EQ(shown.Pixel(50 + 39, 61 + 14), face.Pixel(39, 14));
        EXPECT_NE(shown.Pixel(0, 50), shown.Pixel(3, 50));
        EXPECT_EQ(shown.Pixel(0, 50), shown.Pixel(138, 50));
        window.Click(resources::kControlBoxOk);
    });
    EXPECT_EQ(box.DoModal(), 1);
}

TEST_F(SkinnedBoxTest, ShortQuestionPlacesYesAndNo) {
    const struct {
        int button;
        int result;
    } answers[] = {{resources::kControlBoxYes, 6}, {resources::kControlBoxNo, 7}};
    for (const auto& answer : answers) {
        CImageYesNoBoxDlg box(nullptr, L"Delete ?");
        OnNextModal([&box, answer](ModalWindow& window) {
            EXPECT_EQ(box.ClientRect(), (ui::Rect{0, 0, 215, 100}));
            EXPECT_EQ(box.FindControl(resources::kControlBoxYes)->PlacementRect(),
                      ui::Rect::FromSize(40, 61, 79, 29));
            EXPECT_EQ(box.FindControl(resources::kControlBoxNo)->PlacementRect(),
                      ui::Rect::FromSize(129, 63, 76, 27));
            window.Click(answer.button);
        });
        EXPECT_EQ(box.DoModal(), answer.result);
    }
}

TEST_F(SkinnedBoxTest, KeyboardEndsBoxesWithTheDefaultResults) {
    CImageYesNoBoxDlg question(nullptr, L"Are you sure?");
    OnNextModal([](ModalWindow& window) { window.PressEnter(); });
    EXPECT_EQ(question.DoModal(), 1);
    CImageMsgBoxDlg message(nullptr, L"Save success.");
    OnNextModal([](ModalWindow& window) { window.PressEscape(); });
    EXPECT_EQ(message.DoModal(), 2);
}

TEST_F(SkinnedBoxTest, LongMessageWidensTheBoxCentredOverItsOwner) {
    CImageMsgBoxDlg owner(nullptr, L"owner");
    const std::wstring text = L"Are you sure want to delete this image ? It cannot be undone.";
    OnNextModal([&owner, &text](ModalWindow& window) {
        owner.SetPlacement(ui::Rect::FromSize(100, 200, 400, 300));
        CImageMsgBoxDlg box(&owner, text);
        OnNextModal([&box](ModalWindow& inner) {
            const ui::Rect rect = box.WindowRect();
            EXPECT_GT(rect.Width(), 139 + 300);
            EXPECT_EQ(rect.Height(), 100);
            EXPECT_EQ(rect.left + rect.Width() / 2, 300);
            EXPECT_EQ(rect.top, 200 + (300 - 100) / 2);
            EXPECT_EQ(box.FindControl(resources::kControlBoxOk)->PlacementRect().right,
                      rect.Width() - 10);
            inner.Click(resources::kControlBoxOk);
        });
        EXPECT_EQ(box.DoModal(), 1);
        window.End(1);
    });
    owner.DoModal();
}

TEST_F(SkinnedBoxTest, CoverFillsTheScreenAndClosesItselfAfterOneSecond) {
    CCoverDlg cover(nullptr);
    cover.mPictureBitmapId = resources::kBitmapCover;
    cover.mBackgroundColor = ui::Rgb(242, 242, 242);
    const auto start = std::chrono::steady_clock::now();
    OnNextModal([&cover](ModalWindow& window) {
        EXPECT_EQ(cover.ClientRect(), (ui::Rect{0, 0, 1920, 1080}));
        const ui::Bitmap shown = window.Grab();
        EXPECT_EQ(shown.Pixel(10, 10), ui::Rgb(242, 242, 242));
        EXPECT_EQ(shown.Pixel((1920 - 287) / 2 + 2, (1080 - 535) / 2 + 2), ui::Rgb(66, 68, 79));
        EXPECT_TRUE(window.WaitUntilEnded(5000));
    });
    cover.DoModal();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(950));
}

TEST_F(SkinnedBoxTest, OpenFileDialogAsksForConfirmation) {
    testsupport::TestProgramFolder folder;
    const std::wstring photo = folder.WidePath() + L"/photo.jpg";
    ui::Bitmap(8, 8).SaveImageFile(photo);
    const struct {
        bool choose;
        int answer;
        bool expected;
    } cases[] = {{true, ui::kIdYes, true}, {true, ui::kIdNo, false}, {false, 0, false}};
    for (const auto& c : cases) {
        OnNextModal([&c, &photo](ModalWindow& dialog) {
            if (c.choose) {
                dialog.ChooseFile(photo);
            } else {
                dialog.Cancel();
            }
        });
        if (c.choose) {
            OnNextModal([&c](ModalWindow& box) {
                EXPECT_EQ(box.Text(), L"Are you sure want to load this file ?");
                EXPECT_EQ(box.Caption(), L"");
                box.Answer(c.answer);
            });
        }
        std::wstring path;
        EXPECT_EQ(UTILITY_OpenFileDialog(path, L"IMAGE", true), c.expected);
        EXPECT_EQ(path, c.expected ? photo : L"");
    }
}

}  // namespace
