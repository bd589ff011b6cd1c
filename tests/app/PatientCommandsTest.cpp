// The main window's start, layout and patient commands: the list, selecting, the search, a
// new patient, saving the form with its checks and deleting a patient with its folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/OperationRoomIds.h"
#include "platform/ui/Controls.h"
#include "tests/app/OperationRoomFixture.h"
#include "utility/files/Files.h"
#include "utility/files/LocalTime.h"

namespace {

using namespace operationroom;
using ui::testing::ModalWindow;

const std::vector<std::wstring> kSamplePatients = {
    L"0001-F111111111-Name111", L"0002-F222222222-Name222", L"0003-F333333333-Name333",
    L"0004-F444444444-Name444", L"0005-F555555555-Name555"};

ui::DateTime Today() {
    const std::tm now = utility::LocalTimeNow();
    return {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
}

ui::DateTime DateOf(CDlgOperationRoom& room) {
    const ui::DateTime value = room.Control<ui::DatePicker>(kVisitFirst)->GetDateTime();
    return {value.year, value.month, value.day};
}

int ComboItem(CDlgOperationRoom& room, int id) {
    return room.Control<ui::ComboBox>(id)->Selection();
}

std::wstring TodayText() {
    std::wstring today;
    UTILITY_GetDateString(today);
    return today;
}

TEST_F(OperationRoomTest, FreshStartListsTheSamplesWithNothingSelectedOverTheScreen) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        EXPECT_EQ(room.Text(), L"Sorvanti v3.36");
        EXPECT_EQ(Lines(room, kCustomerList), kSamplePatients);
        EXPECT_EQ(room.Control<ui::ListBoxControl>(kCustomerList)->Selection(), -1);
        for (int id : {kName, kPid, kAddress, kMedicalRecordNumber, kSearchText, kNoteText}) {
            EXPECT_EQ(window.ControlText(id), L"") << "control " << id;
        }
        EXPECT_EQ(ComboItem(room, kGender), 0);
        EXPECT_EQ(ComboItem(room, kBloodType), 0);
        EXPECT_EQ(DateOf(room), Today());
        EXPECT_EQ(InfoBand(window), L"");
        EXPECT_EQ(NoteInfoBand(window), L"");

        EXPECT_EQ(room.WindowRect(), ui::Rect::FromSize(0, 0, 1920, 1040));
        EXPECT_EQ(room.FindControl(kInfoBand)->PlacementRect(),
                  ui::Rect::FromSize(130, 0, 1749, 40));
        EXPECT_EQ(room.FindControl(kExit)->PlacementRect().left, 1879);
        EXPECT_EQ(room.FindControl(kHeader)->PlacementRect(), ui::Rect::FromSize(0, 0, 130, 40));
        // Picture buttons take their pictures' sizes.
        EXPECT_EQ(room.FindControl(kAddCustomer)->PlacementRect().Width(), 77);
        EXPECT_EQ(room.FindControl(kSave)->PlacementRect().Height(), 32);
        // The media panel grows to the bottom right, clear of Save and Del below it.
        const ui::Rect media = room.FindControl(kMediaList)->PlacementRect();
        EXPECT_LT(media.bottom, room.FindControl(kSave)->PlacementRect().top);
        EXPECT_LE(room.FindControl(kSave)->PlacementRect().bottom, 1040);
    });
    EXPECT_TRUE(std::filesystem::exists(mFolder.Path() / "Sorvanti.ini"));
    EXPECT_TRUE(mStandardBoxes.Boxes().empty());
}

TEST_F(OperationRoomTest, SelectingPatient3FillsTheFormAndSavingUnchangedWritesItsCodes) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 2);
        EXPECT_EQ(window.ControlText(kName), L"Name333");
        EXPECT_EQ(window.ControlText(kPid), L"F333333333");
        EXPECT_EQ(window.ControlText(kAddress), L"3 Sample Street");
        EXPECT_EQ(ComboItem(room, kGender), 2);
        EXPECT_EQ(ComboItem(room, kBloodType), 0);
        EXPECT_EQ(window.ControlText(kMedicalRecordNumber), L"0003");
        EXPECT_EQ(DateOf(room), (ui::DateTime{2015, 8, 18}));
        EXPECT_EQ(InfoBand(window), L"3");

        ExpectMessage(L"Save success.");
        window.Click(kSave);
        EXPECT_EQ(Lines(room, kCustomerList), kSamplePatients);
    });
    const CustomerRecord saved = Customer(3);
    EXPECT_EQ(saved.gender, L"O");
    EXPECT_EQ(saved.bloodType, L"A");
    EXPECT_EQ(saved.visitFirst, L"8/18/2015");
    EXPECT_EQ(saved.name, L"Name333");
}

TEST_F(OperationRoomTest, SaveChecksTheFieldsInOrderAndWritesNothingOnARefusal) {
    const struct {
        std::function<void(ModalWindow&)> edit;
        std::wstring message;
    } cases[] = {
        {[](ModalWindow& w) { w.Type(kPid, L""); }, L"Customer pid can't be null."},
        {[](ModalWindow& w) {
             w.Type(kPid, L"");
             w.Type(kName, L"");
         },
         L"Customer name can't be null."},
        {[](ModalWindow& w) { w.Type(kAddress, L""); }, L"Customer address can't be null."},
        {[](ModalWindow& w) { w.Type(kGender, L"Unknown"); }, L"Customer gender can't be null."},
        {[](ModalWindow& w) { w.Type(kBloodType, L"Q"); }, L"Customer blood type can't be null."},
    };
    Run([&](ModalWindow& window, CDlgOperationRoom&) {
        ExpectMessage(L"Please select one customer!");
        window.Click(kSave);
        for (const auto& c : cases) {
            SelectCustomer(window, 0);
            c.edit(window);
            ExpectMessage(c.message);
            window.Click(kSave);
        }
    });
    const CustomerRecord unchanged = Customer(1);
    EXPECT_EQ(unchanged.pid, L"F111111111");
    EXPECT_EQ(unchanged.name, L"Name111");
    EXPECT_EQ(unchanged.gender, L"M");
    EXPECT_EQ(unchanged.bloodType, L"AB");
    EXPECT_EQ(unchanged.address, L"1 Sample Street");
}

TEST_F(OperationRoomTest, EditedFormIsSavedAndListed) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 1);
        window.Type(kName, L"O'Neill, Anne");
        window.Select(kGender, 0);
        window.Select(kBloodType, 2);
        window.Type(kAddress, L"12 Quay Road\r\nDublin");
        room.Control<ui::DatePicker>(kVisitFirst)->SetDateTime({2016, 3, 7});
        ExpectMessage(L"Save success.");
        window.Click(kSave);
        EXPECT_EQ(Lines(room, kCustomerList)[1], L"0002-F222222222-O'Neill, Anne");
    });
    const CustomerRecord saved = Customer(2);
    EXPECT_EQ(saved.gender, L"M");
    EXPECT_EQ(saved.bloodType, L"AB");
    EXPECT_EQ(saved.address, L"12 Quay Road\r\nDublin");
    EXPECT_EQ(saved.visitFirst, L"3/7/2016");
}

// Typing an item's exact text over another selection selects that item.
TEST_F(OperationRoomTest, TypedItemTextSelectsThatItem) {
    Run([&](ModalWindow& window, CDlgOperationRoom&) {
        SelectCustomer(window, 0);
        window.Type(kGender, L"Female");
        window.Type(kBloodType, L"O");
        ExpectMessage(L"Save success.");
        window.Click(kSave);
    });
    const CustomerRecord saved = Customer(1);
    EXPECT_EQ(saved.gender, L"F");
    EXPECT_EQ(saved.bloodType, L"O");
}

TEST_F(OperationRoomTest, AddCustomerCreatesAndShowsTheNewPatient) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 1);
        window.Click(kAddCustomer);
        EXPECT_EQ(window.ControlText(kName), L"NewCustomer");
        EXPECT_EQ(window.ControlText(kPid), L"X000000000");
        EXPECT_EQ(ComboItem(room, kGender), 2);
        EXPECT_EQ(ComboItem(room, kBloodType), 3);
        EXPECT_EQ(DateOf(room), Today());
        EXPECT_EQ(window.ControlText(kMedicalRecordNumber), L"0006");
        EXPECT_EQ(InfoBand(window), L"6");
        EXPECT_TRUE(Lines(room, kNoteList).empty());
        EXPECT_EQ(room.Control<ui::ListView>(kMediaList)->Count(), 0);
        std::vector<std::wstring> expected = kSamplePatients;
        expected.push_back(L"0006-X000000000-NewCustomer");
        EXPECT_EQ(Lines(room, kCustomerList), expected);
        EXPECT_EQ(room.Control<ui::ListBoxControl>(kCustomerList)->Selection(), -1);
    });
    const CustomerRecord created = Customer(6);
    EXPECT_EQ(created.gender, L"O");
    EXPECT_EQ(created.bloodType, L"O");
    EXPECT_EQ(created.visitFirst, TodayText());
}

TEST_F(OperationRoomTest, SearchListsPidMatchesThenNameMatches) {
    const struct {
        std::wstring text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"name", kSamplePatients},        {L"", kSamplePatients}, {L"F333", {kSamplePatients[2]}},
        {L"Name55", {kSamplePatients[4]}}, {L"O'Brien", {}},
    };
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        for (const auto& c : cases) {
            window.Type(kSearchText, c.text);
            window.Click(kSearch);
            EXPECT_EQ(Lines(room, kCustomerList), c.lines)
                << std::string(c.text.begin(), c.text.end());
        }
    });
    EXPECT_TRUE(mStandardBoxes.Boxes().empty());
}

TEST_F(OperationRoomTest, DeleteAnsweredOtherThanYesChangesNothing) {
    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        ExpectMessage(L"Please select one customer!");
        window.Click(kDelete);
        SelectCustomer(window, 4);
        for (int answer : {ui::kIdNo, ui::kIdCancel}) {
            AnswerQuestion(L"Delete ?", answer);
            window.Click(kDelete);
        }
        EXPECT_EQ(Lines(room, kCustomerList), kSamplePatients);
        EXPECT_EQ(window.ControlText(kName), L"Name555");
        EXPECT_EQ(InfoBand(window), L"5");
    });
    EXPECT_EQ(Customer(5).name, L"Name555");
}

TEST_F(OperationRoomTest, DeleteRemovesRowsAndFolderButKeepsTheIdentityPhoto) {
    Run([](ModalWindow&, CDlgOperationRoom&) {});
    {
        auto store = OpenStore();
        ASSERT_TRUE(store->NoteInsert({0, 5, L"03072016:140505", L"note"}));
        ASSERT_TRUE(store->NoteInsert({0, 4, L"03072016:140506", L"other patient"}));
        ASSERT_TRUE(store->PhotoInsert({0, 5, L"P1603071405051", L"3/7/2016", L""}));
    }
    std::filesystem::create_directories(Database() / "5/images/thumbnail");
    testsupport::WriteFileBytes(Database() / "5/images/thumbnail/P1603071405051.bmp", "x");
    testsupport::WriteFileBytes(Database() / "id_photo/5.bmp", "photo");

    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 4);
        AnswerQuestion(L"Delete ?", ui::kIdYes);
        ExpectMessage(L"Delete Success.");
        window.Click(kDelete);
        EXPECT_EQ(Lines(room, kCustomerList),
                  std::vector<std::wstring>(kSamplePatients.begin(), kSamplePatients.end() - 1));
        EXPECT_EQ(window.ControlText(kName), L"");
        EXPECT_EQ(window.ControlText(kPid), L"X000000000");
        EXPECT_EQ(window.ControlText(kMedicalRecordNumber), L"");
        EXPECT_EQ(ComboItem(room, kGender), 2);
        EXPECT_EQ(ComboItem(room, kBloodType), 3);
        EXPECT_EQ(InfoBand(window), L"");
        EXPECT_EQ(room.Control<ui::ListView>(kMediaList)->Count(), 0);
        // No patient is selected any more.
        ExpectMessage(L"Please select one customer!");
        window.Click(kSave);
    });
    auto store = OpenStore();
    CustomerRecord record;
    EXPECT_FALSE(store->CustomerSelect(5, record));
    PhotoRecord photo;
    photo.customerSerialNumber = 5;
    photo.name = L"P1603071405051";
    EXPECT_FALSE(store->PhotoSelect(photo));
    ui::MemoryListBox notes;
    store->NoteListAll(notes, 5);
    EXPECT_EQ(notes.Count(), 0);
    store->NoteListAll(notes, 4);
    EXPECT_EQ(notes.Count(), 1);
    EXPECT_FALSE(std::filesystem::exists(Database() / "5"));
    EXPECT_EQ(testsupport::ReadFileBytes(Database() / "id_photo/5.bmp"), "photo");
}

TEST_F(OperationRoomTest, UnreadableFirstVisitDateStillShowsTheWholePatient) {
    Run([](ModalWindow&, CDlgOperationRoom&) {});
    CustomerRecord broken = Customer(4);
    broken.visitFirst = L"13/45/2015";
    ASSERT_TRUE(OpenStore()->CustomerUpdate(broken, 4));
    std::filesystem::create_directories(Database() / "4/images/thumbnail");
    testsupport::WriteFileBytes(Database() / "4/images/thumbnail/P1603071405051.bmp", "x");

    Run([&](ModalWindow& window, CDlgOperationRoom& room) {
        SelectCustomer(window, 0);
        SelectCustomer(window, 3);
        ASSERT_EQ(mStandardBoxes.Boxes().size(), 1u);
        EXPECT_EQ(mStandardBoxes.Boxes()[0].style & ui::kIconStop, ui::kIconStop);
        EXPECT_EQ(window.ControlText(kName), L"Name444");
        EXPECT_EQ(ComboItem(room, kBloodType), 0);
        EXPECT_EQ(window.ControlText(kMedicalRecordNumber), L"0004");
        EXPECT_EQ(DateOf(room), Today());
        EXPECT_EQ(InfoBand(window), L"4");
        EXPECT_EQ(room.Control<ui::ListView>(kMediaList)->Count(), 1);
        // Dates the form could not read back cannot be picked.
        room.Control<ui::DatePicker>(kVisitFirst)->SetDateTime({1850, 5, 1});
        EXPECT_GE(DateOf(room).year, 1900);
    });
}

}  // namespace
