#include "tests/records/RecordStoreFixture.h"

RecordStoreTest::RecordStoreTest() : mStore(std::make_unique<DATABASECONTEXT>(nullptr)) {
    mStore->DatabaseCreate();
}

std::filesystem::path RecordStoreTest::DatabasePath() const {
    return mFolder.Path() / "database" / "medical_record_access.mdb";
}

std::vector<std::wstring> RecordStoreTest::ListAll() {
    ui::MemoryListBox list;
    mStore->CustomerListAll(list);
    return list.Lines();
}

std::vector<std::wstring> RecordStoreTest::Search(const std::wstring& text) {
    ui::MemoryListBox list;
    mStore->CustomerListSearch(list, text);
    return list.Lines();
}

CustomerRecord RecordStoreTest::Customer(const std::wstring& pid, const std::wstring& name) {
    CustomerRecord record;
    record.pid = pid;
    record.name = name;
    record.gender = L"F";
    record.bloodType = L"AB";
    record.address = L"12 Harbour Road";
    record.visitFirst = L"3/7/2016";
    return record;
}
