// The review windows' test fixture.
#include "tests/review/ReviewWindowTest.h"

#include "resources/ResourceIds.h"
#include "utility/boxes/CImageMsgBoxDlg.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"

namespace reviewtest {

using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

void ExpectMessage(const std::wstring& text) {
    OnNextModal([text](ModalWindow& box) {
        auto* dialog = dynamic_cast<CImageMsgBoxDlg*>(box.Dialog());
        ASSERT_NE(dialog, nullptr) << "not the statement box";
        EXPECT_EQ(dialog->MessageText(), text);
        box.Click(resources::kControlBoxOk);
    });
}

void AnswerQuestion(const std::wstring& text, int answer) {
    OnNextModal([text, answer](ModalWindow& box) {
        auto* dialog = dynamic_cast<CImageYesNoBoxDlg*>(box.Dialog());
        ASSERT_NE(dialog, nullptr) << "not the yes/no box";
        EXPECT_EQ(dialog->MessageText(), text);
        box.Click(answer == ui::kIdYes ? resources::kControlBoxYes : resources::kControlBoxNo);
    });
}

ui::Color Shown(const ui::Dialog& dialog, int id) {
    const ui::Bitmap& picture = dialog.Control<ui::Button>(id)->CurrentBitmap();
    return picture.Pixel(picture.Width() / 2, picture.Height() / 2);
}

bool ShowsPicture(const ui::Dialog& dialog, int id) {
    return !dialog.Control<ui::Button>(id)->CurrentBitmap().IsNull();
}

ui::Rect Placement(const ui::Dialog& dialog, int id) {
    return dialog.FindControl(id)->PlacementRect();
}

}  // namespace reviewtest
