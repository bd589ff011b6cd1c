// The main window's patient and note rules without a window: a real record store on the
// template database, the operator's answers scripted.
#include <gtest/gtest.h>

#include <deque>

#include "app/NotesWorkflow.h"
#include "app/PatientWorkflow.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/boxes/OperatorPrompts.h"

namespace {

// Records every message and answers questions from a queue (NO when it runs out).
class ScriptedPrompts final : public OperatorPrompts {
  public:
    void ShowMessage(const std::wstring& text) override { said.push_back(text); }
    bool AskYesNo(const std::wstring& text) override {
        asked.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::wstring> TakeSaid() { return std::exchange(said, {}); }

    std::vector<std::wstring> said;
    std::vector<std::wstring> asked;
    std::deque<bool> answers;
};

class PatientWorkflowTest : public ::testing::Test {
  protected:
    PatientWorkflowTest() { mStore.DatabaseCreate(); }

    CustomerRecord Stored(int32_t serialNumber) {
        CustomerRecord record;
        EXPECT_TRUE(mStore.CustomerSelect(serialNumber, record));
        return record;
    }
    std::vector<std::wstring> Listed() {
        ui::MemoryListBox list;
        mPatients.ListCustomers(list);
        return list.Lines();
    }

    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mStandardBoxes;
    DATABASECONTEXT mStore{nullptr};
    ScriptedPrompts mPrompts;
    PatientWorkflow mPatients{mStore, mFolder.WidePath(), mPrompts};
    NotesWorkflow mNotes{mStore, mPatients, mPrompts};
};

TEST_F(PatientWorkflowTest, SelectingALineSetsThePatientAndItsMediaPaths) {
    EXPECT_FALSE(mPatients.SelectCustomerLine(L"0042-F000000000-Nobody"));
    EXPECT_EQ(mPatients.CustomerSerialNumber(), -1);
    EXPECT_EQ(mPatients.InfoText(), L"");

    const auto record = mPatients.SelectCustomerLine(L"0003-F333333333-Name333");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->serialNumber, 3);
    EXPECT_EQ(record->name, L"Name333");
    EXPECT_EQ(mPatients.InfoText(), L"3");
    const std::wstring folder = mFolder.WidePath() + L"/database/3/";
    EXPECT_EQ(mPatients.Paths().imageFolder, folder + L"images/");
    EXPECT_EQ(mPatients.Paths().thumbnailFolder, folder + L"images/thumbnail/");
    EXPECT_EQ(mPatients.Paths().videoFolder, folder + L"videos/");
    EXPECT_EQ(mPatients.Paths().idPhotoPath, mFolder.WidePath() + L"/database/id_photo/3.bmp");

    // A line whose patient is gone changes nothing: the form never mixes two patients.
    EXPECT_FALSE(mPatients.SelectCustomerLine(L"0009-X-Gone"));
    EXPECT_EQ(mPatients.CustomerSerialNumber(), 3);
}

TEST_F(PatientWorkflowTest, NewPatientHasTheDefaultsAndIsSelected) {
    const auto record = mPatients.AddCustomer(L"12/10/2026");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->serialNumber, 6);
    EXPECT_EQ(mPatients.CustomerSerialNumber(), 6);
    const CustomerRecord stored = Stored(6);
    EXPECT_EQ(stored.pid, L"X000000000");
    EXPECT_EQ(stored.name, L"NewCustomer");
    EXPECT_EQ(stored.gender, L"O");
    EXPECT_EQ(stored.bloodType, L"O");
    EXPECT_EQ(stored.visitFirst, L"12/10/2026");
    EXPECT_EQ(Listed().back(), L"0006-X000000000-NewCustomer");
}

TEST_F(PatientWorkflowTest, SaveChecksTheFieldsInOrderAndWritesNothingOnARefusal) {
    EXPECT_FALSE(mPatients.SaveCustomer(Stored(1)));
    EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{L"Please select one customer!"});

    ASSERT_TRUE(mPatients.SelectCustomerLine(L"0001-F111111111-Name111"));
    const struct {
        std::function<void(CustomerRecord&)> edit;
        const wchar_t* message;
    } cases[] = {
        {[](CustomerRecord& r) { r.name.clear(), r.pid.clear(); }, L"Customer name can't be null."},
        {[](CustomerRecord& r) { r.pid.clear(), r.address.clear(); },
         L"Customer pid can't be null."},
        {[](CustomerRecord& r) { r.address.clear(), r.gender.clear(); },
         L"Customer address can't be null."},
        {[](CustomerRecord& r) { r.gender.clear(), r.bloodType.clear(); },
         L"Customer gender can't be null."},
        {[](CustomerRecord& r) { r.bloodType.clear(); }, L"Customer blood type can't be null."},
    };
    for (const auto& c : cases) {
        CustomerRecord form = Stored(1);
        form.name = L"Changed";
        c.edit(form);
        EXPECT_FALSE(mPatients.SaveCustomer(form));
        EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{c.message});
    }
    EXPECT_EQ(Stored(1).name, L"Name111");

    CustomerRecord form = Stored(1);
    form.name = L"O'Neill, Anne";
    EXPECT_TRUE(mPatients.SaveCustomer(form));
    EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{L"Save success."});
    EXPECT_EQ(Stored(1).name, L"O'Neill, Anne");
}

TEST_F(PatientWorkflowTest, DeleteAsksThenRemovesRowsAndFolderAndClearsTheSelection) {
    ASSERT_TRUE(mPatients.SelectCustomerLine(L"0002-F222222222-Name222"));
    NoteRecord note;
    note.customerSerialNumber = 2;
    ASSERT_TRUE(mStore.NoteInsert(note));
    const auto pictures = mFolder.Path() / "database" / "2" / "images";
    std::filesystem::create_directories(pictures);
    testsupport::WriteFileBytes(pictures / "P1512311845071.bmp", "BM");

    mPrompts.answers = {false};
    EXPECT_EQ(mPatients.DeleteCustomer(), PatientWorkflow::DeleteResult::kKept);
    EXPECT_EQ(mPrompts.asked, std::vector<std::wstring>{L"Delete ?"});
    EXPECT_EQ(mPatients.CustomerSerialNumber(), 2);
    EXPECT_TRUE(std::filesystem::exists(pictures / "P1512311845071.bmp"));

    mPrompts.answers = {true};
    const auto result = mPatients.DeleteCustomer();
    EXPECT_EQ(result, PatientWorkflow::DeleteResult::kDeleted);
    EXPECT_EQ(mPatients.CustomerSerialNumber(), -1);
    EXPECT_EQ(mPatients.Paths().thumbnailFolder, L"");
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "database" / "2"));
    CustomerRecord gone;
    EXPECT_FALSE(mStore.CustomerSelect(2, gone));
    EXPECT_EQ(Listed().size(), 4u);
    mPatients.ReportDeleted(result);
    EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{L"Delete Success."});

    EXPECT_EQ(mPatients.DeleteCustomer(), PatientWorkflow::DeleteResult::kKept);
    EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{L"Please select one customer!"});
}

TEST_F(PatientWorkflowTest, MediaListShowsCapturesInFolderOrderWithTheirCaptions) {
    ASSERT_TRUE(mPatients.SelectCustomerLine(L"0003-F333333333-Name333"));
    EXPECT_TRUE(mPatients.MediaFileNames().empty()) << "no folder yet";
    const auto thumbnails = mFolder.Path() / "database" / "3" / "images" / "thumbnail";
    std::filesystem::create_directories(thumbnails / "Pfolder");
    for (const char* name : {"V1512311846002.bmp", "P1512311845071.bmp", "readme.txt",
                             "p1512311845072.bmp", "P1512311845073.BMP"}) {
        testsupport::WriteFileBytes(thumbnails / name, "BM");
    }
    EXPECT_EQ(mPatients.MediaFileNames(),
              (std::vector<std::wstring>{L"P1512311845071.bmp", L"P1512311845073.BMP",
                                         L"V1512311846002.bmp"}));
    const struct {
        const wchar_t* fileName;
        const wchar_t* caption;
    } captions[] = {
        {L"P1512311845071.bmp", L"P1512311845071"},
        {L"P1512311845073.BMP", L"P1512311845073.BMP"},
        {L"Pb.bmp", L"P"},
    };
    for (const auto& c : captions) {
        EXPECT_EQ(PatientWorkflow::MediaCaption(c.fileName), c.caption) << c.fileName;
    }
}

TEST_F(PatientWorkflowTest, NotesNeedAPatientAndANoteAndForgetADeletedNote) {
    EXPECT_FALSE(mNotes.AddNote(L"12102026:093000"));
    EXPECT_FALSE(mNotes.SaveNote(L"text"));
    EXPECT_EQ(mPrompts.TakeSaid(), (std::vector<std::wstring>{L"Please select one customer!",
                                                              L"Please select one customer!"}));

    ASSERT_TRUE(mPatients.SelectCustomerLine(L"0004-F444444444-Name444"));
    EXPECT_FALSE(mNotes.SaveNote(L"text"));
    EXPECT_FALSE(mNotes.DeleteNote());
    EXPECT_EQ(mPrompts.TakeSaid(),
              (std::vector<std::wstring>{L"Please select one note!", L"Please select one note!"}));

    ASSERT_TRUE(mNotes.AddNote(L"12102026:093000"));
    EXPECT_EQ(mNotes.NoteSerialNumber(), 6);
    EXPECT_EQ(mNotes.NoteInfo(), L"0006-12102026:093000");
    EXPECT_TRUE(mNotes.SaveNote(L"It's healing \u4E2D"));
    EXPECT_EQ(mPrompts.TakeSaid(), std::vector<std::wstring>{L"Save Success."});

    mNotes.ClearSelection();
    ui::MemoryListBox notes;
    mNotes.ListNotes(notes);
    ASSERT_EQ(notes.Count(), 1);
    EXPECT_EQ(mNotes.SelectNoteLine(notes.LineText(0)), std::wstring(L"It's healing \u4E2D"));
    EXPECT_EQ(mNotes.NoteSerialNumber(), 6);

    mPrompts.answers = {false, true};
    EXPECT_TRUE(mNotes.DeleteNote());
    EXPECT_EQ(mNotes.NoteSerialNumber(), 6) << "NO keeps the note selected";
    EXPECT_TRUE(mNotes.DeleteNote());
    EXPECT_EQ(mNotes.NoteSerialNumber(), -1);
    EXPECT_EQ(mNotes.NoteInfo(), L"");
    mNotes.ListNotes(notes);
    EXPECT_EQ(notes.Count(), 0);
}

}  // namespace
