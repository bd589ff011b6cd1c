#include "tests/records/RecordStoreFixture.h"

#include "platform/text/Text.h"

namespace {

constexpr wchar_t kServerDataSource[] = L"ClinicServer";

}  // namespace

RecordStoreTest::RecordStoreTest(RecordEngine engine) : mEngine(engine) {
    if (mEngine == RecordEngine::kServer) {
        testsupport::PostgresServer& server = testsupport::SharedPostgresServer();
        // The embedded template's five sample patients, so that both engines start alike.
        UseServerDatabase(mFolder, server, server.CreateDatabase(), true);
    }
    mStore = std::make_unique<DATABASECONTEXT>(nullptr);
    mStore->DatabaseCreate();
}

void UseServerDatabase(const testsupport::TestProgramFolder& folder,
                       const testsupport::PostgresServer& server, const std::string& database,
                       bool samplePatients) {
    server.RegisterDataSource(text::ToUtf8(kServerDataSource), database);
    WriteDatabaseRegistry(folder, {{"DataSource", text::ToUtf8(kServerDataSource)},
                                   {"SamplePatients", samplePatients ? "1" : "0"}});
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
