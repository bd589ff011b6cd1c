// The main window's "open a capture": activating a media-list item opens the comment dialog on
// the capture's full picture; afterwards only the media list is reloaded.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/OperationRoomIds.h"
#include "platform/text/Text.h"
#include "review/CDlgImageComment.h"
#include "review/CaptureWalk.h"
#include "review/ReviewIds.h"
#include "tests/app/OperationRoomFixture.h"
#include "utility/bitmaps/Bitmaps.h"

namespace {

using namespace operationroom;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

class OpenCaptureTest : public OperationRoomTest {
  protected:
    // Patient 3's still and video capture: picture, thumbnail, clip and row each.
    void AddCaptures() {
        const std::filesystem::path patient = Database() / "3";
        std::filesystem::create_directories(patient / "images" / "thumbnail");
        std::filesystem::create_directories(patient / "videos");
        auto store = OpenStore();
        for (const char* name : {"P1512311845071", "V1512311846002"}) {
            const ui::Bitmap picture(192, 108, ui::Rgb(180, 120, 100));
            const std::string file = std::string(name) + ".bmp";
            ASSERT_TRUE(UTILITY_SaveBitmapFile(picture, text::FromPath(patient / "images" / file)));
            ASSERT_TRUE(
                UTILITY_SaveBitmapFile(picture.Stretched(160, 90),
                                       text::FromPath(patient / "images" / "thumbnail" / file)));
            ASSERT_TRUE(store->PhotoInsert({0, 3, text::FromUtf8(name), L"12/31/2015", L""}));
        }
        testsupport::WriteFileBytes(patient / "videos" / "V1512311846002.avi", "RIFF clip");
    }
    // Opens item `index` of the media list; `inside` runs in the comment dialog and ends it.
    static void OpenItem(ModalWindow& window, int index,
                         const std::function<void(ModalWindow&, CDlgImageComment&)>& inside) {
        OnNextModal([inside](ModalWindow& comment) {
            auto* dialog = dynamic_cast<CDlgImageComment*>(comment.Dialog());
            ASSERT_NE(dialog, nullptr) << "not the comment dialog";
            inside(comment, *dialog);
        });
        window.Activate(kMediaList, index);
    }
};

TEST_F(OpenCaptureTest, ActivatedItemOpensItsPictureAndADeleteThereLeavesTheList) {
    AddCaptures();
    const std::wstring images = text::FromPath(Database() / "3" / "images") + L"/";
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        auto* media = room.Control<ui::ListView>(kMediaList);
        SelectCustomer(window, 2);
        window.Click(kAddNote);
        window.Type(kName, L"Typed, not saved");
        const std::wstring noteInfo = NoteInfoBand(window);
        ASSERT_EQ(media->Count(), 2);

        OpenItem(window, 1, [&](ModalWindow& comment, CDlgImageComment& dialog) {
            EXPECT_EQ(dialog.Capture().Path(), images + L"V1512311846002.bmp");
            comment.Click(imagecomment::kExit);
        });
        EXPECT_EQ(media->Count(), 2);

        OpenItem(window, 1, [](ModalWindow& comment, CDlgImageComment&) {
            AnswerQuestion(L"Are you sure want to delete this image ?", ui::kIdYes);
            comment.Click(imagecomment::kDelete);
        });
        ASSERT_EQ(media->Count(), 1);
        EXPECT_EQ(media->ItemText(0), L"P1512311845071");
        // Only the media list was reloaded.
        EXPECT_EQ(InfoBand(window), L"3");
        EXPECT_EQ(NoteInfoBand(window), noteInfo);
        EXPECT_EQ(window.ControlText(kName), L"Typed, not saved");
    });
    const std::filesystem::path patient = Database() / "3";
    EXPECT_FALSE(std::filesystem::exists(patient / "images" / "V1512311846002.bmp"));
    EXPECT_FALSE(std::filesystem::exists(patient / "images" / "thumbnail" / "V1512311846002.bmp"));
    EXPECT_FALSE(std::filesystem::exists(patient / "videos" / "V1512311846002.avi"));
    PhotoRecord row{0, 0, L"V1512311846002", L"", L""};
    EXPECT_FALSE(OpenStore()->PhotoSelectByName(row));
    row.name = L"P1512311845071";
    EXPECT_TRUE(OpenStore()->PhotoSelectByName(row));
}

}  // namespace
