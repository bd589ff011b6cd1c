// A record store on a fresh database in a temporary program folder, with its message boxes
// recorded. The database is the embedded file, or an empty database of its own on the test
// program's database server (DatabaseSettings.h) holding the same five sample patients.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/ListBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/support/PostgresServer.h"
#include "tests/support/TestProgramFolder.h"

enum class RecordEngine { kEmbedded, kServer };

// Points the registry of the program folder `folder` at `database` on `server` through a data
// source of the test's own (ServerDataSourceName()); record stores made afterwards use it, and
// place the sample patients in a new database when `samplePatients`.
void UseServerDatabase(const testsupport::TestProgramFolder& folder,
                       const testsupport::PostgresServer& server, const std::string& database,
                       bool samplePatients = false);
std::wstring ServerDataSourceName();
// Writes the registry of the program folder `folder` with `dataSource` as the database's
// data source.
void WriteDataSourceRegistry(const testsupport::TestProgramFolder& folder,
                             const std::string& dataSource);
// Writes the registry of the program folder `folder` with the database key's `values`
// (name, text; neither holding a backslash or quote).
void WriteDatabaseRegistry(const testsupport::TestProgramFolder& folder,
                           const std::vector<std::pair<std::string, std::string>>& values);

// Counts message boxes shown on any thread (the recorder is for the UI thread only) and fails
// the test with the first one's text.
class CountingPresenter final : public ui::MessageBoxPresenter {
  public:
    CountingPresenter();
    ~CountingPresenter() override;
    int Show(ui::Window*, const std::wstring& text, const std::wstring&, uint32_t) override;
    std::atomic<int> count{0};

  private:
    ui::MessageBoxPresenter* mPrevious;
};

class RecordStoreTest : public ::testing::Test {
  protected:
    explicit RecordStoreTest(RecordEngine engine = RecordEngine::kEmbedded);

    std::filesystem::path DatabasePath() const;
    std::vector<std::wstring> ListAll();
    std::vector<std::wstring> Search(const std::wstring& text);
    static CustomerRecord Customer(const std::wstring& pid, const std::wstring& name);

    // The data source the record store connects to, for another program's connection.
    std::wstring DataSourceName() const;
    // Part of the text each engine reports for a value longer than its column.
    std::wstring TooLongValueText() const;
    // Statements that make deleting a patient fail with "patient is kept", and undo that.
    std::vector<std::wstring> KeepPatientsStatements() const;
    std::vector<std::wstring> ReleasePatientsStatements() const;

    RecordEngine mEngine;
    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mBoxes;
    std::unique_ptr<DATABASECONTEXT> mStore;
};

// The same tests against each engine.
// The record store on a database of its own on the shared server.
class ServerRecordStoreTest : public RecordStoreTest {
  protected:
    ServerRecordStoreTest() : RecordStoreTest(RecordEngine::kServer) {}
};

class RecordStoreEnginesTest : public RecordStoreTest,
                               public ::testing::WithParamInterface<RecordEngine> {
  protected:
    RecordStoreEnginesTest() : RecordStoreTest(GetParam()) {}
};

std::string EngineName(const ::testing::TestParamInfo<RecordEngine>& info);
