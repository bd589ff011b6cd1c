// What a database server adds to the embedded file: workstations in processes of their own
// writing and starting at the same time, and a server that is down or goes away and comes back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <set>
#include <vector>

#include "platform/fs/ProgramFolder.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/MessageBox.h"
#include "tests/records/RecordStoreFixture.h"

namespace {

using testsupport::PostgresServer;

// Counts the message boxes of a workstation process and prints them for the test's log.
class CountingPresenter final : public ui::MessageBoxPresenter {
  public:
    CountingPresenter() { ui::SetMessageBoxPresenter(this); }
    int Show(ui::Window*, const std::wstring& text, const std::wstring&, uint32_t) override {
        std::fprintf(stderr, "workstation %d: %s\n", static_cast<int>(::getpid()),
                     text::ToUtf8(text).c_str());
        ++count;
        return ui::kIdOk;
    }
    int count = 0;
};

// Runs `work` in `count` processes of their own, released together once all exist; each
// returns its number of failures. The result is the failures and message boxes of them all.
int RunWorkstations(int count, const std::function<int(int index)>& work) {
    int release[2];
    if (::pipe(release) != 0) {
        ADD_FAILURE() << "pipe failed";
        return 1;
    }
    std::vector<pid_t> children;
    for (int index = 0; index < count; ++index) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(release[1]);
            char go = 0;
            const bool released = ::read(release[0], &go, 1) == 0;  // the parent closed it
            CountingPresenter boxes;
            const int failures = released ? work(index) : 1;
            std::fflush(stderr);
            ::_exit(std::min(failures + boxes.count, 100));
        }
        children.push_back(child);
    }
    ::close(release[0]);
    ::close(release[1]);
    int failures = 0;
    for (const pid_t child : children) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        failures += WIFEXITED(status) ? WEXITSTATUS(status) : 100;
    }
    return failures;
}

// Starts `count` workstations' record stores at the same moment; their failures.
int StartWorkstationsTogether(int count) {
    return RunWorkstations(count, [](int) {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        return store.IsOpen() ? 0 : 1;
    });
}

NoteRecord Note(int32_t customer, const std::wstring& comment) {
    NoteRecord note;
    note.customerSerialNumber = customer;
    note.date = L"03072016:140505";
    note.comment = comment;
    return note;
}

// The dates of a note list's lines ("%04d-%s"), without the serials.
std::vector<std::wstring> NoteDates(const ui::MemoryListBox& notes) {
    std::vector<std::wstring> dates;
    for (const std::wstring& line : notes.Lines()) {
        dates.push_back(line.substr(line.find(L'-') + 1));
    }
    return dates;
}

TEST_F(ServerRecordStoreTest, TwoWorkstationProcessesWritingAtOnceLoseNoRowAndEachFindsItsOwn) {
    constexpr int kWorkstations = 2;
    constexpr int kWritesEach = 60;
    const int failures = RunWorkstations(kWorkstations, [](int index) {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        int failed = 0;
        for (int i = 0; i < kWritesEach; ++i) {
            const std::wstring mark = text::sprintf(L"w%d-%d", index, i);
            CustomerRecord customer = Customer(L"W", mark);
            CustomerRecord inserted;
            failed += !store.CustomerInsert(customer) || !store.CustomerSelectInserted(inserted) ||
                      inserted.name != mark;
            NoteRecord note;
            failed += !store.NoteInsert(Note(index + 1, mark)) || !store.NoteSelectInserted(note) ||
                      note.comment != mark;
        }
        return failed;
    });
    EXPECT_EQ(failures, 0) << "see the workstations' messages above";

    EXPECT_EQ(ListAll().size(), 5u + kWorkstations * kWritesEach);
    std::set<std::wstring> serials;
    for (int32_t customer = 1; customer <= kWorkstations; ++customer) {
        ui::MemoryListBox notes;
        mStore->NoteListAll(notes, customer);
        EXPECT_EQ(notes.Count(), kWritesEach);
        for (const std::wstring& line : notes.Lines()) {
            serials.insert(line.substr(0, line.find(L'-')));
        }
    }
    EXPECT_EQ(serials.size(), static_cast<std::size_t>(kWorkstations * kWritesEach));
}

TEST_F(ServerRecordStoreTest, WorkstationsStartingTogetherOnAnEmptyDatabaseCreateOneSchema) {
    PostgresServer& server = testsupport::SharedPostgresServer();
    // Several rounds: the first connections race to create the tables.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        UseServerDatabase(mFolder, server, server.CreateDatabase());
        EXPECT_EQ(StartWorkstationsTogether(3), 0);

        mStore = std::make_unique<DATABASECONTEXT>(nullptr);
        mStore->DatabaseCreate();
        EXPECT_TRUE(ListAll().empty()) << "no sample patients on a server";
        ASSERT_TRUE(mStore->CustomerInsert(Customer(L"F1", L"First")));
        CustomerRecord first;
        ASSERT_TRUE(mStore->CustomerSelectInserted(first));
        EXPECT_EQ(first.serialNumber, 6) << "the template's counters";
        ASSERT_TRUE(mStore->NoteInsert(Note(6, L"n")));
        NoteRecord note;
        ASSERT_TRUE(mStore->NoteSelectInserted(note));
        EXPECT_EQ(note.serialNumber, 6);
        PhotoRecord photo;
        photo.customerSerialNumber = 6;
        photo.name = L"P1";
        ASSERT_TRUE(mStore->PhotoInsert(photo));
        ASSERT_TRUE(mStore->PhotoSelect(photo));
        EXPECT_EQ(photo.serialNumber, 1);
    }
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

// Asked for, the sample patients come with the tables: once, however many workstations start
// together, and not again once the clinic deleted them.
TEST_F(ServerRecordStoreTest, SamplePatientsWhenAskedComeOnceWithTheTablesAndNeverBack) {
    PostgresServer& server = testsupport::SharedPostgresServer();
    UseServerDatabase(mFolder, server, server.CreateDatabase(), true);
    EXPECT_EQ(StartWorkstationsTogether(3), 0);

    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    ASSERT_EQ(ListAll().size(), 5u);
    CustomerRecord third;
    ASSERT_TRUE(mStore->CustomerSelect(3, third));
    EXPECT_EQ(third.pid, L"F333333333");
    for (int32_t serial = 1; serial <= 5; ++serial) {
        ASSERT_TRUE(mStore->CustomerDelete(serial));
    }
    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"F1", L"First")));
    CustomerRecord first;
    ASSERT_TRUE(mStore->CustomerSelectInserted(first));
    EXPECT_EQ(first.serialNumber, 6);

    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    EXPECT_EQ(ListAll().size(), 1u);
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

// A server of the test's own, since it is stopped and started; removed when the test ends.
class PrivateServer {
  public:
    PrivateServer() : mServer(testsupport::NewPostgresFolder()) {}
    ~PrivateServer() { mServer.Remove(); }
    PostgresServer& operator*() { return mServer; }
    PostgresServer* operator->() { return &mServer; }

  private:
    PostgresServer mServer;
};

TEST_F(ServerRecordStoreTest, ServerDownReportsItsTextLosesNothingAndTheNextOperationReconnects) {
    PrivateServer server;
    ASSERT_TRUE(server->Initialise() && server->Start()) << server->Failure();
    const std::string database = server->CreateDatabase();
    ASSERT_TRUE(server->Stop());
    UseServerDatabase(mFolder, *server, database);
    const std::wstring caption = text::FromUtf8(program::ExecutableName());

    // Down at start: the server's text with a stop icon, and the program runs on.
    mBoxes.Clear();
    DATABASECONTEXT store(nullptr);
    store.DatabaseCreate();
    ASSERT_EQ(mBoxes.Boxes().size(), 1u);
    const std::wstring downText = mBoxes.Boxes()[0].text;
    EXPECT_FALSE(downText.empty());
    EXPECT_EQ(mBoxes.Boxes()[0].style & ui::kIconStop, ui::kIconStop);
    EXPECT_FALSE(store.IsOpen());

    // Still down: a write reports the server's text twice, a read lets it escape.
    auto expectWriteFailureReported = [&](bool written) {
        EXPECT_FALSE(written);
        ASSERT_EQ(mBoxes.Boxes().size(), 2u);
        EXPECT_FALSE(mBoxes.Boxes()[0].text.empty());
        EXPECT_EQ(mBoxes.Boxes()[0].text, mBoxes.Boxes()[1].text);
        EXPECT_EQ(mBoxes.Boxes()[0].caption, caption);
    };
    mBoxes.Clear();
    expectWriteFailureReported(store.NoteInsert(Note(6, L"never")));
    ui::MemoryListBox notes;
    EXPECT_THROW(store.NoteListAll(notes, 6), odbc::Error);

    // Up again: the next operation connects and finds the tables created.
    ASSERT_TRUE(server->Start()) << server->Failure();
    mBoxes.Clear();
    ASSERT_TRUE(store.CustomerInsert(Customer(L"R1", L"Restart")));
    EXPECT_TRUE(store.IsOpen());
    // The notes carry their marks as dates, which the list shows.
    auto note = [](const wchar_t* mark) {
        NoteRecord record = Note(6, L"");
        record.date = mark;
        return record;
    };
    for (const wchar_t* mark : {L"one", L"two", L"three"}) {
        ASSERT_TRUE(store.NoteInsert(note(mark)));
    }

    // Gone mid-session.
    ASSERT_TRUE(server->Stop());
    mBoxes.Clear();
    expectWriteFailureReported(store.NoteInsert(note(L"lost")));
    mBoxes.Clear();
    expectWriteFailureReported(store.CustomerDeleteWithRecords(6));
    EXPECT_THROW(store.NoteListAll(notes, 6), odbc::Error);
    CustomerRecord customer;
    EXPECT_THROW(store.CustomerSelect(6, customer), odbc::Error);

    // Back: every confirmed write is there, no reported failure is, and work goes on.
    ASSERT_TRUE(server->Start()) << server->Failure();
    mBoxes.Clear();
    ASSERT_TRUE(store.NoteInsert(note(L"four")));
    store.NoteListAll(notes, 6);
    EXPECT_EQ(NoteDates(notes), (std::vector<std::wstring>{L"one", L"two", L"three", L"four"}));
    ASSERT_TRUE(store.CustomerSelect(6, customer));
    EXPECT_EQ(customer.name, L"Restart");
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

TEST_F(ServerRecordStoreTest, ARegistryValueThatIsNoDataSourceNameConnectsNowhere) {
    // Taken into the connection string, these would reach another database or data source.
    for (const char* value : {"ClinicServer;DATABASE=postgres", "{ClinicServer}"}) {
        SCOPED_TRACE(value);
        WriteDataSourceRegistry(mFolder, value);
        mBoxes.Clear();
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        EXPECT_FALSE(store.IsOpen());
        ASSERT_EQ(mBoxes.Boxes().size(), 1u);
        EXPECT_NE(mBoxes.Boxes()[0].text.find(L"not valid"), std::wstring::npos);
        EXPECT_FALSE(store.CustomerInsert(Customer(L"N1", L"Nowhere")));
    }
}

}  // namespace
