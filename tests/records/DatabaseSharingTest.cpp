// Two running programs share one database (the embedded file or the server): each has its own
// record store and connection; their writes must neither fail nor get lost.
#include <gtest/gtest.h>

#include <thread>

#include "tests/records/RecordStoreFixture.h"

namespace {

NoteRecord Note(int32_t customer, const std::wstring& comment) {
    NoteRecord note;
    note.customerSerialNumber = customer;
    note.date = L"03072016:140505";
    note.comment = comment;
    return note;
}

TEST_P(RecordStoreEnginesTest, TwoStoresOnOneDatabaseWriteAlternately) {
    DATABASECONTEXT other(nullptr);
    other.DatabaseCreate();
    ASSERT_TRUE(other.IsOpen());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(mStore->NoteInsert(Note(1, L"first")));
        ASSERT_TRUE(other.NoteInsert(Note(1, L"second")));
        ASSERT_TRUE(other.CustomerUpdate(Customer(L"F1", L"Shared"), 1));
    }
    ui::MemoryListBox notes;
    mStore->NoteListAll(notes, 1);
    EXPECT_EQ(notes.Count(), 40);
    CustomerRecord record;
    ASSERT_TRUE(mStore->CustomerSelect(1, record));
    EXPECT_EQ(record.name, L"Shared");
    EXPECT_TRUE(mBoxes.Boxes().empty());
}

TEST_P(RecordStoreEnginesTest, TwoStoresWritingAtTheSameTimeLoseNothing) {
    CountingPresenter boxes;
    constexpr int kWritesEach = 50;
    auto writer = [](int32_t customer) {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        for (int i = 0; i < kWritesEach; ++i) {
            store.NoteInsert(Note(customer, L"concurrent"));
        }
    };
    std::thread first(writer, 1);
    std::thread second(writer, 2);
    first.join();
    second.join();

    EXPECT_EQ(boxes.count.load(), 0) << "no write failed (e.g. \"database is locked\")";
    for (int32_t customer : {1, 2}) {
        ui::MemoryListBox notes;
        mStore->NoteListAll(notes, customer);
        EXPECT_EQ(notes.Count(), kWritesEach);
    }
}

}  // namespace

namespace {

TEST_P(RecordStoreEnginesTest, EachStoreSelectsTheRowItInsertedNotTheNewestOne) {
    DATABASECONTEXT other(nullptr);
    other.DatabaseCreate();
    CustomerRecord mine;
    EXPECT_FALSE(mStore->CustomerSelectInserted(mine)) << "nothing inserted yet";

    ASSERT_TRUE(mStore->CustomerInsert(Customer(L"M1", L"Mine")));
    ASSERT_TRUE(other.CustomerInsert(Customer(L"T1", L"Theirs")));
    ASSERT_TRUE(mStore->CustomerSelectInserted(mine));
    EXPECT_EQ(mine.serialNumber, 6);
    EXPECT_EQ(mine.name, L"Mine");
    CustomerRecord newest;
    ASSERT_TRUE(mStore->CustomerSelectLast(newest));
    EXPECT_EQ(newest.name, L"Theirs");

    ASSERT_TRUE(mStore->NoteInsert(Note(6, L"my note")));
    ASSERT_TRUE(other.NoteInsert(Note(6, L"their note")));
    NoteRecord note;
    ASSERT_TRUE(mStore->NoteSelectInserted(note));
    EXPECT_EQ(note.serialNumber, 6);
    EXPECT_EQ(note.customerSerialNumber, 6);
    EXPECT_EQ(note.comment, L"my note");

    ASSERT_TRUE(mStore->CustomerDelete(6));
    EXPECT_FALSE(mStore->CustomerSelectInserted(mine)) << "the row is gone";
}

}  // namespace
