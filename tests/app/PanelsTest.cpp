// The main window's panels: the notes (add, select, save, delete), the media list of the
// patient's thumbnails and the identity photo with its import.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "app/OperationRoomIds.h"
#include "platform/text/Text.h"
#include "platform/ui/Controls.h"
#include "tests/app/OperationRoomFixture.h"
#include "tests/support/Unprivileged.h"
#include "utility/bitmaps/Bitmaps.h"

namespace {

using namespace operationroom;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

TEST_F(OperationRoomTest, CommandsNeedASelectedPatient) {
    Run([&](ModalWindow& window, CDlgOperationRoom&) {
        for (int id : {kAddNote, kNoteSave, kNoteDelete, kIdPhoto, kCamera}) {
            ExpectMessage(L"Please select one customer!");
            window.Click(id);
        }
        SelectCustomer(window, 0);
        for (int id : {kNoteSave, kNoteDelete}) {
            ExpectMessage(L"Please select one note!");
            window.Click(id);
        }
    });
}

TEST_F(OperationRoomTest, AddedNoteIsSelectedEmptyAndSavesTextWithAnApostrophe) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 0);
        window.Type(kNoteText, L"typed before");
        window.Click(kAddNote);
        const std::vector<std::wstring> lines = Lines(room, kNoteList);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(std::regex_match(text::ToUtf8(lines[0]), std::regex(R"(0006-\d{8}:\d{6})")))
            << text::ToUtf8(lines[0]);
        EXPECT_EQ(NoteInfoBand(window), lines[0]);
        EXPECT_EQ(window.ControlText(kNoteText), L"");

        window.Type(kNoteText, L"Patient's knee: check again\r\nin two weeks");
        ExpectMessage(L"Save Success.");
        window.Click(kNoteSave);
        window.Type(kNoteText, L"");
        window.Activate(kNoteList, 0);
        EXPECT_EQ(window.ControlText(kNoteText), L"Patient's knee: check again\r\nin two weeks");

        // Another patient clears the note selection.
        SelectCustomer(window, 1);
        EXPECT_EQ(NoteInfoBand(window), L"");
        EXPECT_TRUE(Lines(room, kNoteList).empty());
        ExpectMessage(L"Please select one note!");
        window.Click(kNoteSave);
    });
    EXPECT_TRUE(mStandardBoxes.Boxes().empty());
    std::wstring comment;
    EXPECT_TRUE(OpenStore()->NoteCommentSelect(6, comment));
    EXPECT_EQ(comment, L"Patient's knee: check again\r\nin two weeks");
}

TEST_F(OperationRoomTest, NoteDeleteAnsweredNoEmptiesTheTextAndKeepsTheNote) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 2);
        window.Click(kAddNote);
        window.Type(kNoteText, L"unsaved");
        AnswerQuestion(L"Are you sure?", ui::kIdNo);
        window.Click(kNoteDelete);
        EXPECT_EQ(window.ControlText(kNoteText), L"");
        EXPECT_EQ(Lines(room, kNoteList).size(), 1u);
        EXPECT_NE(NoteInfoBand(window), L"");

        AnswerQuestion(L"Are you sure?", ui::kIdYes);
        window.Click(kNoteDelete);
        EXPECT_TRUE(Lines(room, kNoteList).empty());
        // The deleted note is no longer selected: nothing can be "saved" into it.
        EXPECT_EQ(NoteInfoBand(window), L"");
        ExpectMessage(L"Please select one note!");
        window.Click(kNoteSave);
    });
}

TEST_F(OperationRoomTest, MediaListShowsThePatientsCaptureThumbnailsInNameOrder) {
    const std::filesystem::path thumbnails = Database() / "3/images/thumbnail";
    std::filesystem::create_directories(thumbnails / "Psub");
    const ui::Bitmap picture(160, 90, ui::Rgb(200, 30, 30));
    for (const char* name : {"V1512311846002.bmp", "P1512311845071.bmp"}) {
        ASSERT_TRUE(UTILITY_SaveBitmapFile(picture, text::FromPath(thumbnails / name)));
    }
    testsupport::WriteFileBytes(thumbnails / "readme.txt", "not a capture");
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        auto* media = room.Control<ui::ListView>(kMediaList);
        SelectCustomer(window, 2);
        ASSERT_EQ(media->Count(), 2);
        EXPECT_EQ(media->ItemText(0), L"P1512311845071");
        EXPECT_EQ(media->ItemText(1), L"V1512311846002");
        SelectCustomer(window, 2);
        EXPECT_EQ(media->Count(), 2);
        EXPECT_EQ(media->ImageCount(), 2) << "pictures of earlier loads are dropped";
        SelectCustomer(window, 0);
        EXPECT_EQ(media->Count(), 0);
        EXPECT_EQ(media->ImageCount(), 0);
    });
}

class IdPhotoTest : public OperationRoomTest {
  protected:
    // A 480 x 640 portrait JPEG outside the program folder's tree.
    std::wstring Portrait() {
        const std::wstring path = mFolder.WidePath() + L"/portrait.jpg";
        EXPECT_TRUE(ui::Bitmap(480, 640, ui::Rgb(40, 120, 200)).SaveImageFile(path));
        return path;
    }
    static void ChooseAndConfirm(const std::wstring& path) {
        OnNextModal([path](ModalWindow& dialog) { dialog.ChooseFile(path); });
    }
    std::filesystem::path IdPhotos() const { return Database() / "id_photo"; }
};

TEST_F(IdPhotoTest, ImportedJpegIsShownFittedAndStoredTwiceAsTheSameBitmap) {
    const std::wstring portrait = Portrait();
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        auto* button = room.Control<ui::Button>(kIdPhoto);
        SelectCustomer(window, 3);
        const ui::Size placeholder = button->CurrentBitmap().Dimensions();
        EXPECT_EQ(placeholder, (ui::Size{180, 234}));
        ChooseAndConfirm(portrait);
        mStandardBoxes.QueueAnswer(ui::kIdYes);
        window.Click(kIdPhoto);
        const int height = button->ClientRect().Height();
        EXPECT_EQ(button->CurrentBitmap().Dimensions(), (ui::Size{height * 3 / 4, height}));
        EXPECT_EQ(mStandardBoxes.Boxes().back().text, L"Are you sure want to load this file ?");
        // Shown again when the patient is selected again.
        SelectCustomer(window, 0);
        EXPECT_EQ(button->CurrentBitmap().Dimensions(), placeholder);
        SelectCustomer(window, 3);
        EXPECT_EQ(button->CurrentBitmap().Dimensions(), (ui::Size{height * 3 / 4, height}));
    });
    const std::string stored = testsupport::ReadFileBytes(IdPhotos() / "4.bmp");
    EXPECT_EQ(stored.substr(0, 2), "BM");
    EXPECT_EQ(stored, testsupport::ReadFileBytes(IdPhotos() / "TempIdPhoto.bmp"));
    const ui::Bitmap reloaded = UTILITY_LoadBitmapFile(text::FromPath(IdPhotos() / "4.bmp"));
    EXPECT_EQ(reloaded.Dimensions(), (ui::Size{480, 640}));
    for (const auto& entry : std::filesystem::directory_iterator(IdPhotos())) {
        EXPECT_EQ(entry.path().filename().string().rfind(".sorvanti", 0), std::string::npos)
            << "left a temporary file";
    }
}

// With a shared DataFolder the media list reads the patient's captures there (names tagged by
// the workstations that took them) and an imported identity photo is stored there; the import's
// scratch copy stays in the program folder.
TEST_F(IdPhotoTest, WithADataFolderMediaAndIdentityPhotosAreTheSharedFolders) {
    const std::filesystem::path share = mFolder.Path() / "clinic-share";
    testsupport::WriteFileBytes(mFolder.Path() / "registry.reg",
                                "Windows Registry Editor Version 5.00\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Database]\n"
                                "\"DataFolder\"=\"" +
                                    share.string() + "\"\n");
    const std::filesystem::path thumbnails = share / "database/3/images/thumbnail";
    std::filesystem::create_directories(thumbnails);
    std::filesystem::create_directories(Database() / "3/images/thumbnail");
    const ui::Bitmap picture(160, 90, ui::Rgb(200, 30, 30));
    for (const std::filesystem::path& file :
         {thumbnails / "V151231184600roomb2.bmp", thumbnails / "P151231184507rooma1.bmp",
          Database() / "3/images/thumbnail/P1512311845071.bmp"}) {
        ASSERT_TRUE(UTILITY_SaveBitmapFile(picture, text::FromPath(file)));
    }
    const std::wstring portrait = Portrait();
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        auto* media = room.Control<ui::ListView>(kMediaList);
        SelectCustomer(window, 2);
        ASSERT_EQ(media->Count(), 2);
        EXPECT_EQ(media->ItemText(0), L"P151231184507rooma1");
        EXPECT_EQ(media->ItemText(1), L"V151231184600roomb2");
        SelectCustomer(window, 3);
        ChooseAndConfirm(portrait);
        mStandardBoxes.QueueAnswer(ui::kIdYes);
        window.Click(kIdPhoto);
    });
    EXPECT_EQ(testsupport::ReadFileBytes(share / "database/id_photo/4.bmp"),
              testsupport::ReadFileBytes(IdPhotos() / "TempIdPhoto.bmp"));
    EXPECT_FALSE(std::filesystem::exists(IdPhotos() / "4.bmp"));
}

TEST_F(IdPhotoTest, CancelledUnconfirmedOrUnreadableImportsChangeNothing) {
    const std::wstring notAnImage = mFolder.WidePath() + L"/notes.jpg";
    testsupport::WriteFileBytes(mFolder.Path() / "notes.jpg", "plain text");
    const std::wstring portrait = Portrait();
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 3);
        const ui::Size placeholder =
            room.Control<ui::Button>(kIdPhoto)->CurrentBitmap().Dimensions();
        OnNextModal([](ModalWindow& dialog) { dialog.Cancel(); });
        window.Click(kIdPhoto);
        ChooseAndConfirm(portrait);
        mStandardBoxes.QueueAnswer(ui::kIdNo);
        window.Click(kIdPhoto);
        ChooseAndConfirm(notAnImage);
        mStandardBoxes.QueueAnswer(ui::kIdYes);
        window.Click(kIdPhoto);
        EXPECT_EQ(room.Control<ui::Button>(kIdPhoto)->CurrentBitmap().Dimensions(), placeholder);
    });
    EXPECT_FALSE(std::filesystem::exists(IdPhotos() / "4.bmp"));
}

TEST_F(IdPhotoTest, FailedWriteKeepsThePreviousPhotoAndPicture) {
    const testsupport::Unprivileged unprivileged(mFolder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    const std::wstring portrait = Portrait();
    Run([](ModalWindow&, CDlgOperationRoom&) {});
    const ui::Bitmap previous(90, 60, ui::Rgb(10, 200, 10));
    ASSERT_TRUE(UTILITY_SaveBitmapFile(previous, text::FromPath(IdPhotos() / "4.bmp")));
    const std::string before = testsupport::ReadFileBytes(IdPhotos() / "4.bmp");
    ::chmod(IdPhotos().c_str(), 0555);
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 3);
        const ui::Size shown = room.Control<ui::Button>(kIdPhoto)->CurrentBitmap().Dimensions();
        ChooseAndConfirm(portrait);
        mStandardBoxes.QueueAnswer(ui::kIdYes);
        window.Click(kIdPhoto);
        EXPECT_EQ(room.Control<ui::Button>(kIdPhoto)->CurrentBitmap().Dimensions(), shown);
    });
    ::chmod(IdPhotos().c_str(), 0755);
    EXPECT_EQ(testsupport::ReadFileBytes(IdPhotos() / "4.bmp"), before);
}

}  // namespace
