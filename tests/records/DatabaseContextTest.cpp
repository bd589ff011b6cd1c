#include <gtest/gtest.h>

#include <fstream>

#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/Connection.h"
#include "platform/odbc/Error.h"
#include "platform/text/Text.h"
#include "tests/records/RecordStoreFixture.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

const std::vector<std::wstring> kSamplePatients = {
    L"0001-F111111111-Name111", L"0002-F222222222-Name222", L"0003-F333333333-Name333",
    L"0004-F444444444-Name444", L"0005-F555555555-Name555"};

TEST_P(RecordStoreEnginesTest, FreshInstallationHoldsTheFiveSamplePatients) {
    EXPECT_TRUE(mStore->IsOpen());
    EXPECT_EQ(ListAll(), kSamplePatients);
    EXPECT_TRUE(std::filesystem::is_directory(mFolder.Path() / "database" / "id_photo"));
    EXPECT_TRUE(mBoxes.Boxes().empty());

    CustomerRecord record;
    ASSERT_TRUE(mStore->CustomerSelect(3, record));
    EXPECT_EQ(record.pid, L"F333333333");
    EXPECT_EQ(record.gender, L"X");
    EXPECT_EQ(record.bloodType, L"A");
    EXPECT_EQ(record.visitFirst, L"8/18/2015");
    EXPECT_FALSE(record.address.empty());
    EXPECT_EQ(record.serialNumber, 0) << "CustomerSelect leaves the serial alone";
    EXPECT_FALSE(mStore->CustomerSelect(99, record));
}

TEST_F(RecordStoreTest, ExistingDatabaseFileIsNeverReplaced) {
    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"K1", L"Kept")));
    mStore.reset();
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    EXPECT_EQ(ListAll().back(), L"0006-K1-Kept");

    // Even a file that is not a database at all stays as it is; reading it is a database
    // error that escapes to the caller, and the list stays empty.
    mStore.reset();
    WriteFileBytes(DatabasePath(), std::string(4096, 'x'));
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    ui::MemoryListBox list;
    list.AddLine(L"stale");
    EXPECT_THROW(mStore->CustomerListAll(list), odbc::Error);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(ReadFileBytes(DatabasePath()), std::string(4096, 'x'));
}

TEST_F(RecordStoreTest, UnusableDatabasePathReportsStartupFailureAndEveryOperationFailsQuietly) {
    mStore.reset();
    std::filesystem::remove_all(DatabasePath());
    std::filesystem::create_directory(DatabasePath());  // exists, but is no readable file
    mBoxes.Clear();
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();

    ASSERT_EQ(mBoxes.Boxes().size(), 1u);
    EXPECT_EQ(mBoxes.Boxes()[0].text, L"DATABASECONTEXT_DatabaseCreate fail!");
    EXPECT_EQ(mBoxes.Boxes()[0].caption, L"");
    EXPECT_FALSE(mStore->IsOpen());
    mBoxes.Clear();

    CustomerRecord customer;
    PhotoRecord photo;
    NoteRecord note;
    std::wstring comment;
    EXPECT_FALSE(mStore->CustomerSelect(1, customer));
    EXPECT_FALSE(mStore->CustomerSelectLast(customer));
    EXPECT_FALSE(mStore->CustomerInsert(customer));
    EXPECT_FALSE(mStore->CustomerUpdate(customer, 1));
    EXPECT_FALSE(mStore->CustomerDelete(1));
    EXPECT_FALSE(mStore->PhotoSelect(photo));
    EXPECT_FALSE(mStore->PhotoSelectByName(photo));
    EXPECT_FALSE(mStore->PhotoCommentSelect(1, L"P1", comment));
    EXPECT_FALSE(mStore->PhotoCommentUpdate(1, L"P1", L"c"));
    EXPECT_FALSE(mStore->PhotoCommentUpdateByName(L"P1", L"c"));
    EXPECT_FALSE(mStore->PhotoInsert(photo));
    EXPECT_FALSE(mStore->PhotoDeleteByName(L"P1"));
    EXPECT_FALSE(mStore->PhotoDeleteByCustomer(1));
    EXPECT_FALSE(mStore->NoteSelectLast(note));
    EXPECT_FALSE(mStore->NoteCommentSelect(1, comment));
    EXPECT_FALSE(mStore->NoteInsert(note));
    EXPECT_FALSE(mStore->NoteCommentUpdate(1, L"c"));
    EXPECT_FALSE(mStore->NoteDelete(1));
    EXPECT_FALSE(mStore->NoteDeleteByCustomer(1));
    EXPECT_TRUE(ListAll().empty());
    EXPECT_TRUE(Search(L"Name").empty());
    ui::MemoryListBox notes;
    mStore->NoteListAll(notes, 1);
    EXPECT_EQ(notes.Count(), 0);
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

TEST_F(RecordStoreTest, ProgramFolderWithBangAndBlanksWorks) {
    mStore.reset();
    const auto folder = mFolder.Path() / "Clinic! Room 2";
    std::filesystem::create_directory(folder);
    program::testing::SetFolder(folder);
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    EXPECT_TRUE(mStore->IsOpen());
    EXPECT_EQ(ListAll(), kSamplePatients);
    const std::string ini = ReadFileBytes(mFolder.Path() / "odbc.ini");
    EXPECT_NE(ini.find("[MedicalRecord]"), std::string::npos);
    EXPECT_NE(ini.find("Clinic! Room 2/database/medical_record_access.mdb"), std::string::npos);
}

TEST_F(RecordStoreTest, DriverKindsOneToThreeRegisterAndOthersFail) {
    const std::wstring path = text::FromPath(DatabasePath());
    EXPECT_TRUE(mStore->CreateDataSource(path, 1, L"MedicalRecord"));
    EXPECT_TRUE(mStore->CreateDataSource(path, 2, L"MedicalRecord"));
    EXPECT_FALSE(mStore->CreateDataSource(path, 4, L"MedicalRecord"));
    EXPECT_FALSE(mStore->CreateDataSource(path, 0, L"MedicalRecord"));
    EXPECT_FALSE(mStore->CreateDataSource(path + L".missing", 3, L"MedicalRecord"));
}

TEST_P(RecordStoreEnginesTest, CustomerSelectLastOnAnEmptyTableLeavesTheRecordUnchanged) {
    for (int serial = 1; serial <= 5; ++serial) {
        ASSERT_TRUE(mStore->CustomerDelete(serial));
    }
    CustomerRecord record = Customer(L"P", L"Untouched");
    record.serialNumber = 42;
    EXPECT_FALSE(mStore->CustomerSelectLast(record));
    EXPECT_EQ(record.serialNumber, 42);
    EXPECT_EQ(record.name, L"Untouched");
}

TEST_P(RecordStoreEnginesTest, InsertTakesTheNextSerialAndSerialsAreNeverReused) {
    CustomerRecord record = Customer(L"X000000000", L"NewCustomer");
    record.serialNumber = 3;  // ignored: the database assigns the serial
    ASSERT_TRUE(mStore->CustomerInsert(record));
    CustomerRecord last;
    ASSERT_TRUE(mStore->CustomerSelectLast(last));
    EXPECT_EQ(last.serialNumber, 6);
    EXPECT_EQ(last.name, L"NewCustomer");
    EXPECT_EQ(ListAll().back(), L"0006-X000000000-NewCustomer");

    // A deleted patient's serial names a folder and an identity photo that outlive the row:
    // it must not be handed to the next patient.
    ASSERT_TRUE(mStore->CustomerDelete(6));
    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"Y1", L"Next")));
    ASSERT_TRUE(mStore->CustomerSelectLast(last));
    EXPECT_EQ(last.serialNumber, 7);
}

TEST_P(RecordStoreEnginesTest, UpdateAndDeleteOfAMissingSerialSucceed) {
    EXPECT_TRUE(mStore->CustomerUpdate(Customer(L"Z", L"Nobody"), 77));
    EXPECT_TRUE(mStore->CustomerDelete(77));
    EXPECT_EQ(ListAll(), kSamplePatients);

    ASSERT_TRUE(mStore->CustomerUpdate(Customer(L"F333333333", L"Renamed"), 3));
    CustomerRecord record;
    ASSERT_TRUE(mStore->CustomerSelect(3, record));
    EXPECT_EQ(record.name, L"Renamed");
    EXPECT_EQ(record.address, L"12 Harbour Road");
}

TEST_P(RecordStoreEnginesTest, SearchListsPidMatchesFirstThenNameMatchesOnce) {
    EXPECT_EQ(Search(L"111"), std::vector<std::wstring>{L"0001-F111111111-Name111"});
    EXPECT_EQ(Search(L"name"), kSamplePatients);
    EXPECT_TRUE(Search(L"nobody").empty());

    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"000", L"ABC by name")));  // 6
    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"ABC123", L"Other")));     // 7
    EXPECT_EQ(Search(L"abc"),
              (std::vector<std::wstring>{L"0007-ABC123-Other", L"0006-000-ABC by name"}));
}

TEST_P(RecordStoreEnginesTest, SearchKeepsWildcardsAndTakesQuotesLiterally) {
    EXPECT_EQ(Search(L"%"), kSamplePatients);
    EXPECT_EQ(Search(L"Name_22"), std::vector<std::wstring>{L"0002-F222222222-Name222"});

    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"Q1", L"O'Neil")));
    EXPECT_EQ(Search(L"O'N"), std::vector<std::wstring>{L"0006-Q1-O'Neil"});
    EXPECT_TRUE(Search(L"' OR '1'='1").empty());
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

TEST_P(RecordStoreEnginesTest, TextsWithQuotesAndAnyCharactersAreStoredAsTyped) {
    NoteRecord note;
    note.customerSerialNumber = 2;
    note.date = L"12172015:192312";
    note.comment = L"first";
    ASSERT_TRUE(mStore->NoteInsert(note));
    note.customerSerialNumber = 3;
    ASSERT_TRUE(mStore->NoteInsert(note));

    // Once a statement that would have ended its literal early and rewritten every note.
    const std::wstring hostile = L"x' -- it's \u4E2D\u6587 \U0001F600";
    ASSERT_TRUE(mStore->NoteCommentUpdate(6, hostile));
    std::wstring comment;
    ASSERT_TRUE(mStore->NoteCommentSelect(6, comment));
    EXPECT_EQ(comment, hostile);
    ASSERT_TRUE(mStore->NoteCommentSelect(7, comment));
    EXPECT_EQ(comment, L"first");
}

TEST_P(RecordStoreEnginesTest, ApostrophesWildcardsAndNonLatinTextInEveryFieldAreStoredAsTyped) {
    // Every field at its column's size where it has one, none of them plain ASCII.
    CustomerRecord customer;
    customer.pid = L"O'%_\\\u0416\u4E2D\U0001F600x";
    customer.name = L"O'Brien 100% _x_ \u5C71\u7530 \u0396\u03C9\u03AE";
    customer.gender = L"\u0416";
    customer.bloodType = L"'%";
    customer.address = L"\\'; DROP TABLE customer_table; -- \u00E9\u00E8";
    customer.visitFirst = L"_/%/\u4E8C";
    ASSERT_TRUE(mStore->CustomerInsert(customer));
    CustomerRecord stored;
    ASSERT_TRUE(mStore->CustomerSelectInserted(stored));
    EXPECT_EQ(stored.pid, customer.pid);
    EXPECT_EQ(stored.name, customer.name);
    EXPECT_EQ(stored.gender, customer.gender);
    EXPECT_EQ(stored.bloodType, customer.bloodType);
    EXPECT_EQ(stored.address, customer.address);
    EXPECT_EQ(stored.visitFirst, customer.visitFirst);

    // The search text is a pattern of its own: "%" and "_" match anything, "\\" only itself.
    const std::wstring line = L"0006-" + customer.pid + L"-" + customer.name;
    EXPECT_EQ(Search(L"\\"), std::vector<std::wstring>{line});
    EXPECT_EQ(Search(L"\u5C71\u7530"), std::vector<std::wstring>{line});
    EXPECT_EQ(Search(L"100%"), std::vector<std::wstring>{line});
    EXPECT_EQ(Search(L"_x_ "), std::vector<std::wstring>{line});

    PhotoRecord photo;
    photo.customerSerialNumber = 6;
    photo.name = L"P'%_\u4E2D";
    photo.date = L"'\u0416'";
    photo.comment = L"it's 50% \U0001F600";
    ASSERT_TRUE(mStore->PhotoInsert(photo));
    PhotoRecord found;
    found.name = photo.name;
    ASSERT_TRUE(mStore->PhotoSelectByName(found));
    EXPECT_EQ(found.date, photo.date);
    EXPECT_EQ(found.comment, photo.comment);
    found.name = L"P'%_%";
    EXPECT_FALSE(mStore->PhotoSelectByName(found)) << "names compare whole, not as patterns";

    NoteRecord note;
    note.customerSerialNumber = 6;
    note.date = L"%_'\u4E2D";
    note.comment = L"\u0416'\n%";
    ASSERT_TRUE(mStore->NoteInsert(note));
    NoteRecord storedNote;
    ASSERT_TRUE(mStore->NoteSelectInserted(storedNote));
    EXPECT_EQ(storedNote.date, note.date);
    EXPECT_EQ(storedNote.comment, note.comment);
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

TEST_P(RecordStoreEnginesTest,
       RowsAnotherProgramWroteWithNullsAndLongTextsAreListedAndSelectedWhole) {
    // Another program may leave columns NULL and write an address of any length.
    odbc::Connection other;
    other.Open(DataSourceName());
    const std::wstring name = L"\u5C71\u7530 \u0396\u03C9\u03AE \U0001F600";
    const std::wstring address(5000, L'\u03A9');
    const odbc::Parameter values[] = {name, address};
    other.ExecuteDirect(
        L"INSERT INTO customer_table (CUSTOMER_NAME, CUSTOMER_ADDRESS) VALUES (?, ?)", values);

    EXPECT_EQ(ListAll().back(), L"0006--" + name);
    CustomerRecord record = Customer(L"stale", L"stale");
    ASSERT_TRUE(mStore->CustomerSelect(6, record));
    EXPECT_EQ(record.pid, L"");
    EXPECT_EQ(record.name, name);
    EXPECT_EQ(record.gender, L"");
    EXPECT_EQ(record.address, address);
    EXPECT_EQ(record.visitFirst, L"");
}

TEST_P(RecordStoreEnginesTest, ListLinesPadSerialsToFourDigitsAndNeverCutLongerOnes) {
    odbc::Connection other;
    other.Open(DataSourceName());
    for (const int32_t serial : {7, 999, 10000, 12345678}) {
        const odbc::Parameter values[] = {serial};
        other.ExecuteDirect(
            L"INSERT INTO customer_table (CUSTOMER_SERIAL_NUMBER, CUSTOMER_PID, "
            L"CUSTOMER_NAME) VALUES (?, 'P', 'N')",
            values);
    }

    const std::vector<std::wstring> expected = {L"0007-P-N", L"0999-P-N", L"10000-P-N",
                                                L"12345678-P-N"};
    const std::vector<std::wstring> lines = ListAll();
    ASSERT_EQ(lines.size(), kSamplePatients.size() + expected.size());
    EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 5, lines.end()), expected);
    EXPECT_EQ(Search(L"P"), expected);
}

TEST_P(RecordStoreEnginesTest, WriteFailureShowsTheDatabaseTextTwiceAndWritesNothing) {
    const std::wstring caption = text::FromUtf8(program::ExecutableName());
    struct Case {
        const char* what;
        CustomerRecord record;
    };
    const Case cases[] = {
        {"PID of 11 characters", Customer(L"F1234567890", L"TooLongPid")},
        {"name of 256 characters", Customer(L"F1", std::wstring(256, L'n'))},
        {"gender of 2 characters",
         [] {
             CustomerRecord record = Customer(L"F2", L"Gender");
             record.gender = L"MF";
             return record;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mBoxes.Clear();
        EXPECT_FALSE(mStore->CustomerInsert(c.record));
        ASSERT_EQ(mBoxes.Boxes().size(), 2u);
        EXPECT_NE(mBoxes.Boxes()[0].text.find(TooLongValueText()), std::wstring::npos)
            << text::ToUtf8(mBoxes.Boxes()[0].text);
        EXPECT_EQ(mBoxes.Boxes()[0].text, mBoxes.Boxes()[1].text);
        EXPECT_EQ(mBoxes.Boxes()[0].caption, caption);
    }
    EXPECT_EQ(ListAll(), kSamplePatients);
    EXPECT_TRUE(mStore->CustomerInsert(Customer(L"F123456789", std::wstring(255, L'n'))));
}

TEST_P(RecordStoreEnginesTest, DeletingAPatientRemovesAllItsRowsOrNone) {
    PhotoRecord photo;
    photo.customerSerialNumber = 2;
    photo.name = L"P1512311845071";
    ASSERT_TRUE(mStore->PhotoInsert(photo));
    NoteRecord note;
    note.customerSerialNumber = 2;
    note.date = L"12172015:192312";
    ASSERT_TRUE(mStore->NoteInsert(note));

    // Another program's rule makes the patient's own row undeletable: nothing may go.
    odbc::Connection admin;
    admin.Open(DataSourceName());
    for (const std::wstring& statement : KeepPatientsStatements()) {
        admin.ExecuteDirect(statement);
    }
    EXPECT_FALSE(mStore->CustomerDeleteWithRecords(2));
    ASSERT_EQ(mBoxes.Boxes().size(), 2u);
    EXPECT_NE(mBoxes.Boxes()[0].text.find(L"patient is kept"), std::wstring::npos);
    EXPECT_TRUE(mStore->PhotoSelect(photo));
    NoteRecord last;
    last.customerSerialNumber = 2;
    EXPECT_TRUE(mStore->NoteSelectLast(last));
    EXPECT_EQ(ListAll(), kSamplePatients);

    for (const std::wstring& statement : ReleasePatientsStatements()) {
        admin.ExecuteDirect(statement);
    }
    EXPECT_TRUE(mStore->CustomerDeleteWithRecords(2));
    EXPECT_FALSE(mStore->PhotoSelect(photo));
    EXPECT_FALSE(mStore->NoteSelectLast(last));
    EXPECT_EQ(ListAll().size(), 4u);
    EXPECT_TRUE(mStore->CustomerInsert(Customer(L"A1", L"After")));  // autocommit again
    EXPECT_EQ(ListAll().back(), L"0006-A1-After");
}

TEST_P(RecordStoreEnginesTest, NotesAreListedSelectedUpdatedAndDeleted) {
    NoteRecord note;
    note.customerSerialNumber = 3;
    note.date = L"12172015:192312";
    ASSERT_TRUE(mStore->NoteInsert(note));
    note.date = L"03072016:140505";
    note.comment = L"NoteInfo";
    ASSERT_TRUE(mStore->NoteInsert(note));
    note.customerSerialNumber = 4;
    ASSERT_TRUE(mStore->NoteInsert(note));

    ui::MemoryListBox list;
    mStore->NoteListAll(list, 3);
    EXPECT_EQ(list.Lines(),
              (std::vector<std::wstring>{L"0006-12172015:192312", L"0007-03072016:140505"}));

    NoteRecord last;
    last.customerSerialNumber = 3;
    ASSERT_TRUE(mStore->NoteSelectLast(last));
    EXPECT_EQ(last.serialNumber, 7);
    EXPECT_EQ(last.comment, L"NoteInfo");

    ASSERT_TRUE(mStore->NoteDelete(7));
    ASSERT_TRUE(mStore->NoteSelectLast(last));
    EXPECT_EQ(last.serialNumber, 6);
    EXPECT_EQ(last.comment, L"") << "a NULL-free empty comment reads as empty";

    ASSERT_TRUE(mStore->NoteDeleteByCustomer(3));
    mStore->NoteListAll(list, 3);
    EXPECT_EQ(list.Count(), 0);
    mStore->NoteListAll(list, 4);
    EXPECT_EQ(list.Lines(), std::vector<std::wstring>{L"0008-03072016:140505"});
}

TEST_P(RecordStoreEnginesTest, PhotosAreFoundByPatientAndNameAndDeletedByNameForEveryPatient) {
    PhotoRecord photo;
    photo.customerSerialNumber = 1;
    photo.name = L"P1512311845071";
    photo.date = L"12/31/2015";
    ASSERT_TRUE(mStore->PhotoInsert(photo));
    photo.customerSerialNumber = 2;
    ASSERT_TRUE(mStore->PhotoInsert(photo));
    photo.name = L"V1512311846002";
    ASSERT_TRUE(mStore->PhotoInsert(photo));

    PhotoRecord found;
    found.customerSerialNumber = 1;
    found.name = L"P1512311845071";
    ASSERT_TRUE(mStore->PhotoSelect(found));
    EXPECT_EQ(found.serialNumber, 1);
    EXPECT_EQ(found.date, L"12/31/2015");
    found.customerSerialNumber = 3;
    EXPECT_FALSE(mStore->PhotoSelect(found));

    ASSERT_TRUE(mStore->PhotoCommentUpdate(2, L"V1512311846002", L"left knee"));
    ASSERT_TRUE(mStore->PhotoCommentUpdateByName(L"P1512311845071", L"both"));
    std::wstring comment;
    ASSERT_TRUE(mStore->PhotoCommentSelect(2, L"V1512311846002", comment));
    EXPECT_EQ(comment, L"left knee");
    PhotoRecord byName;
    byName.name = L"V1512311846002";
    ASSERT_TRUE(mStore->PhotoSelectByName(byName));
    EXPECT_EQ(byName.serialNumber, 3);
    EXPECT_EQ(byName.comment, L"left knee");

    ASSERT_TRUE(mStore->PhotoDeleteByName(L"P1512311845071"));
    found.customerSerialNumber = 1;
    found.name = L"P1512311845071";
    EXPECT_FALSE(mStore->PhotoSelect(found));
    found.customerSerialNumber = 2;
    EXPECT_FALSE(mStore->PhotoSelect(found));

    ASSERT_TRUE(mStore->PhotoDeleteByCustomer(2));
    EXPECT_FALSE(mStore->PhotoSelectByName(byName));
}

INSTANTIATE_TEST_SUITE_P(Engines, RecordStoreEnginesTest,
                         ::testing::Values(RecordEngine::kEmbedded, RecordEngine::kServer),
                         EngineName);

}  // namespace
