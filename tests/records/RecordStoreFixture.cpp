#include "tests/records/RecordStoreFixture.h"

#include "platform/odbc/Connection.h"
#include "platform/text/Text.h"

namespace {

constexpr wchar_t kServerDataSource[] = L"ClinicServer";

// The embedded template's five sample patients, which a server database does not get.
constexpr const wchar_t* kSamplePatients[] = {
    L"INSERT INTO customer_table VALUES (1, 'F111111111', 'Name111', 'M', 'AB', "
    L"'1 Sample Street', '8/10/2015')",
    L"INSERT INTO customer_table VALUES (2, 'F222222222', 'Name222', 'F', 'B', "
    L"'2 Sample Street', '2/1/2015')",
    L"INSERT INTO customer_table VALUES (3, 'F333333333', 'Name333', 'X', 'A', "
    L"'3 Sample Street', '8/18/2015')",
    L"INSERT INTO customer_table VALUES (4, 'F444444444', 'Name444', 'M', 'A', "
    L"'4 Sample Street', '8/19/2015')",
    L"INSERT INTO customer_table VALUES (5, 'F555555555', 'Name555', 'F', 'X', "
    L"'5 Sample Street', '8/20/2015')",
};

}  // namespace

RecordStoreTest::RecordStoreTest(RecordEngine engine) : mEngine(engine) {
    if (mEngine == RecordEngine::kServer) {
        testsupport::PostgresServer& server = testsupport::SharedPostgresServer();
        UseServerDatabase(mFolder, server, server.CreateDatabase());
    }
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
    if (mEngine == RecordEngine::kServer && mStore->IsOpen()) {
        odbc::Connection seed;
        seed.Open(kServerDataSource);
        for (const wchar_t* statement : kSamplePatients) {
            seed.ExecuteDirect(statement);
        }
    }
}

void UseServerDatabase(const testsupport::TestProgramFolder& folder,
                       const testsupport::PostgresServer& server, const std::string& database) {
    server.RegisterDataSource(text::ToUtf8(kServerDataSource), database);
    WriteDataSourceRegistry(folder, text::ToUtf8(kServerDataSource));
}

void WriteDataSourceRegistry(const testsupport::TestProgramFolder& folder,
                             const std::string& dataSource) {
    WriteDatabaseRegistry(folder, {{"DataSource", dataSource}});
}

void WriteDatabaseRegistry(const testsupport::TestProgramFolder& folder,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    std::string registry =
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Database]\n";
    for (const auto& [name, value] : values) {
        registry += "\"" + name + "\"=\"" + value + "\"\n";
    }
    testsupport::WriteFileBytes(folder.Path() / "registry.reg", registry);
}

CountingPresenter::CountingPresenter() : mPrevious(ui::SetMessageBoxPresenter(this)) {}

CountingPresenter::~CountingPresenter() {
    ui::SetMessageBoxPresenter(mPrevious);
}

int CountingPresenter::Show(ui::Window*, const std::wstring& text, const std::wstring&, uint32_t) {
    if (++count == 1) {
        ADD_FAILURE() << text::ToUtf8(text);
    }
    return ui::kIdOk;
}

std::wstring ServerDataSourceName() {
    return kServerDataSource;
}

std::wstring RecordStoreTest::DataSourceName() const {
    return mEngine == RecordEngine::kServer ? kServerDataSource : L"MedicalRecord";
}

std::wstring RecordStoreTest::TooLongValueText() const {
    return mEngine == RecordEngine::kServer ? L"value too long" : L"CHECK constraint failed";
}

std::vector<std::wstring> RecordStoreTest::KeepPatientsStatements() const {
    if (mEngine == RecordEngine::kServer) {
        return {
            L"CREATE FUNCTION keep_patient() RETURNS trigger LANGUAGE plpgsql AS "
            L"'BEGIN RAISE EXCEPTION ''patient is kept''; END'",
            L"CREATE TRIGGER keep_patient BEFORE DELETE ON customer_table FOR EACH ROW "
            L"EXECUTE FUNCTION keep_patient()"};
    }
    return {
        L"CREATE TRIGGER keep_patient BEFORE DELETE ON customer_table "
        L"BEGIN SELECT RAISE(ABORT, 'patient is kept'); END"};
}

std::vector<std::wstring> RecordStoreTest::ReleasePatientsStatements() const {
    if (mEngine == RecordEngine::kServer) {
        return {L"DROP TRIGGER keep_patient ON customer_table"};
    }
    return {L"DROP TRIGGER keep_patient"};
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

std::string EngineName(const ::testing::TestParamInfo<RecordEngine>& info) {
    return info.param == RecordEngine::kServer ? "Server" : "Embedded";
}
