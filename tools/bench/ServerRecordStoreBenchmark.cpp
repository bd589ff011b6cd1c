// Record store benchmark on a database server: starts a server of its own (as the tests do),
// fills a database with 10,000 patients and 10,000 notes, and prints
//   - the patient list and a search that matches 1 % of the patients, median and 95th
//     percentile, and the list's processor time in this process (the driver's and ours), each
//     beside the same statements run by the server's command-line client and the list's rows
//     fetched through the ODBC driver alone
//     (one client run repeats them 41 times, printing to /dev/null; its time less that of a
//     run that only connects, divided by 41);
//   - four workstation processes inserting notes at the same time for a while: inserts per
//     second in all, median, 99th percentile and slowest insert, failed inserts.
// The server waits for the disk at every commit, as a clinic's would. The heap is kept for
// reuse as the program keeps it (sys::KeepFreedHeapForReuse).
//
//   sorvanti_bench_server [seconds of inserting, default 60]
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/Connection.h"
#include "platform/sys/HeapReuse.h"
#include "platform/text/Text.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MessageBox.h"
#include "records/DATABASECONTEXT.h"
#include "records/Statements.h"
#include "tests/support/PostgresServer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 10000;
constexpr int kWorkstations = 4;
constexpr wchar_t kDataSource[] = L"BenchServer";
const char* const kClient = "/usr/lib/postgresql/15/bin/psql";

struct Figures {
    double median;
    double p95;
};

double Milliseconds(const std::function<void()>& operation) {
    const auto start = Clock::now();
    operation();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Percentile(const std::vector<double>& sorted, int percent) {
    return sorted.empty() ? 0 : sorted[(sorted.size() * static_cast<std::size_t>(percent)) / 100];
}

Figures Measure(int repetitions, const std::function<void()>& operation) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        samples.push_back(Milliseconds(operation));
    }
    std::sort(samples.begin(), samples.end());
    return {Percentile(samples, 50), Percentile(samples, 95)};
}

void Print(const char* what, Figures figures) {
    std::printf("%-52s median %8.2f ms   p95 %8.2f ms\n", what, figures.median, figures.p95);
}

// The list's rows fetched through the driver alone, as text, as the record store binds them,
// without a line built or stored; median of `repetitions`, in ms.
double DriverOnlyMilliseconds(int repetitions, const std::string& statement) {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment);
    SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection);
    std::string name = text::ToUtf8(kDataSource);
    double median = -1;
    if (SQL_SUCCEEDED(SQLConnect(connection, reinterpret_cast<SQLCHAR*>(name.data()), SQL_NTS,
                                 nullptr, 0, nullptr, 0))) {
        std::string text = statement;
        median = Measure(repetitions, [&] {
                     SQLHSTMT handle = SQL_NULL_HSTMT;
                     SQLAllocHandle(SQL_HANDLE_STMT, connection, &handle);
                     SQLExecDirect(handle, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
                     char columns[3][1024];
                     SQLLEN indicators[3];
                     for (SQLUSMALLINT column = 0; column < 3; ++column) {
                         SQLBindCol(handle, column + 1, SQL_C_CHAR, columns[column],
                                    sizeof columns[column], &indicators[column]);
                     }
                     while (SQL_SUCCEEDED(SQLFetch(handle))) {
                     }
                     SQLFreeHandle(SQL_HANDLE_STMT, handle);
                 }).median;
        SQLDisconnect(connection);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    return median;
}

// The processor time this process spends on `operation`, in ms, the mean of `repetitions`.
double ProcessorMilliseconds(int repetitions, const std::function<void()>& operation) {
    const auto now = [] {
        timespec time{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
    };
    const double start = now();
    for (int i = 0; i < repetitions; ++i) {
        operation();
    }
    return (now() - start) / repetitions;
}

void PrintMean(const char* what, double milliseconds) {
    std::printf("%-52s mean   %8.2f ms\n", what, milliseconds);
}

// One run of the command-line client with `statements`, its output thrown away.
void RunClient(const testsupport::PostgresServer& server, const std::string& database,
               const std::vector<std::string>& statements) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<std::string> argv = {kClient,     "-X",       "-q",
                                         "-A",        "-t",       "-o",
                                         "/dev/null", "-h",       server.Folder().string(),
                                         "-U",        "sorvanti", "-d",
                                         database};
        for (const std::string& statement : statements) {
            argv.insert(argv.end(), {"-c", statement});
        }
        std::vector<char*> pointers;
        for (std::string& argument : argv) {
            pointers.push_back(argument.data());
        }
        pointers.push_back(nullptr);
        ::execv(kClient, pointers.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

// The client's time for `statements` once, from runs that repeat them.
double ClientMilliseconds(const testsupport::PostgresServer& server, const std::string& database,
                          const std::vector<std::string>& statements) {
    constexpr int kRepeats = 41;
    std::vector<std::string> repeated;
    for (int i = 0; i < kRepeats; ++i) {
        repeated.insert(repeated.end(), statements.begin(), statements.end());
    }
    const Figures all = Measure(5, [&] { RunClient(server, database, repeated); });
    const Figures connect = Measure(5, [&] { RunClient(server, database, {"SELECT 1"}); });
    return (all.median - connect.median) / kRepeats;
}

// Counts the message boxes (write failures) of a workstation process.
class CountingPresenter final : public ui::MessageBoxPresenter {
  public:
    CountingPresenter() { ui::SetMessageBoxPresenter(this); }
    int Show(ui::Window*, const std::wstring&, const std::wstring&, uint32_t) override {
        ++count;
        return ui::kIdOk;
    }
    int count = 0;
};

// A workstation inserting notes until `end`; writes its latencies (ms) to `output`, one a
// line, and its failures as a last line "failures N".
void InsertNotes(int index, Clock::time_point end, const std::filesystem::path& output) {
    CountingPresenter boxes;
    DATABASECONTEXT store(nullptr);
    store.DatabaseCreate();
    NoteRecord note;
    note.customerSerialNumber = 1 + index;
    note.date = L"03072016:140505";
    note.comment = L"Benchmark note";
    std::vector<double> latencies;
    int failures = 0;
    while (Clock::now() < end) {
        bool written = false;
        latencies.push_back(Milliseconds([&] { written = store.NoteInsert(note); }));
        failures += written ? 0 : 1;
    }
    std::ofstream out(output);
    for (const double latency : latencies) {
        out << latency << '\n';
    }
    out << "failures " << failures + boxes.count / 2 << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    sys::KeepFreedHeapForReuse();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    std::string pattern = "/tmp/sorvanti-bench-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    program::testing::SetFolder(folder);
    setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);

    testsupport::PostgresServer server(testsupport::NewPostgresFolder());
    if (!server.Initialise() || !server.Start(true)) {
        std::fprintf(stderr, "cannot start the database server: %s\n", server.Failure().c_str());
        std::filesystem::remove_all(folder);
        return 1;
    }
    const std::string database = server.CreateDatabase();
    server.RegisterDataSource(text::ToUtf8(kDataSource), database);
    std::ofstream(folder / "registry.reg")
        << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Database]\n\"DataSource\"=\""
        << text::ToUtf8(kDataSource) << "\"\n";

    int result = 0;
    {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        odbc::Connection filler;
        filler.Open(kDataSource);
        filler.ExecuteDirect(
            L"INSERT INTO customer_table (CUSTOMER_PID, CUSTOMER_NAME, CUSTOMER_GENDER, "
            L"CUSTOMER_BLOOD_TYPE, CUSTOMER_ADDRESS, CUSTOMER_VISIT_FIRST) SELECT 'F' || "
            L"lpad(i::text, 9, '0'), CASE WHEN i % 100 = 0 THEN 'Rare ' ELSE 'Patient ' END || i, "
            L"'M', 'A', i || ' Sample Street', '8/10/2015' FROM generate_series(1, 10000) AS i");
        filler.ExecuteDirect(
            L"INSERT INTO note_table (CUSTOMER_SERIAL_NUMBER, NOTE_DATE, NOTE_COMMENT) SELECT "
            L"6 + i % 10000, '03072016:140505', 'Sample note ' || i FROM "
            L"generate_series(1, 10000) AS i");
        filler.ExecuteDirect(L"ANALYZE");

        ui::MemoryListBox list;
        const std::string listAll = text::ToUtf8(statements::kCustomerListAll);
        Print("CustomerListAll (10,000 lines)", Measure(41, [&] { store.CustomerListAll(list); }));
        PrintMean("  processor time of this process",
                  ProcessorMilliseconds(41, [&] { store.CustomerListAll(list); }));
        if (list.Count() != kRows) {
            std::fprintf(stderr, "the list has %d lines\n", list.Count());
            result = 1;
        }
        PrintMean("  baseline: the client, same statement",
                  ClientMilliseconds(server, database, {listAll}));
        PrintMean("  baseline: the driver alone, same rows", DriverOnlyMilliseconds(41, listAll));

        Print("CustomerListSearch \"rare\" (100 matches)",
              Measure(41, [&] { store.CustomerListSearch(list, L"rare"); }));
        if (list.Count() != kRows / 100) {
            std::fprintf(stderr, "the search found %d lines\n", list.Count());
            result = 1;
        }
        const std::string columns = "SELECT CUSTOMER_SERIAL_NUMBER, CUSTOMER_PID, CUSTOMER_NAME";
        PrintMean(
            "  baseline: the client, both statements",
            ClientMilliseconds(
                server, database,
                {columns + " FROM customer_table WHERE CUSTOMER_PID ILIKE '%rare%' ORDER BY 1",
                 columns + " FROM customer_table WHERE CUSTOMER_NAME ILIKE '%rare%' ORDER BY 1"}));
    }

    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::vector<pid_t> children;
    for (int index = 0; index < kWorkstations; ++index) {
        const pid_t child = ::fork();
        if (child == 0) {
            InsertNotes(index, end, folder / ("latencies-" + std::to_string(index)));
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    std::vector<double> latencies;
    int failures = 0;
    for (int index = 0; index < kWorkstations; ++index) {
        std::ifstream in(folder / ("latencies-" + std::to_string(index)));
        std::string line;
        while (std::getline(in, line)) {
            if (line.starts_with("failures ")) {
                failures += std::atoi(line.c_str() + 9);
            } else {
                latencies.push_back(std::atof(line.c_str()));
            }
        }
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%d workstations inserting notes for %d s: %zu inserts, %.0f per second\n",
                kWorkstations, seconds, latencies.size(),
                static_cast<double>(latencies.size()) / seconds);
    std::printf("%-52s median %8.2f ms   p99 %8.2f ms   max %8.2f ms\n", "  NoteInsert",
                Percentile(latencies, 50), Percentile(latencies, 99),
                latencies.empty() ? 0 : latencies.back());
    std::printf("  failed inserts: %d\n", failures);
    if (failures != 0 || latencies.empty()) {
        result = 1;
    }

    server.Remove();
    std::filesystem::remove_all(folder);
    return result;
}
