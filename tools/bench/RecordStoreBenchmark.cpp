// Record store benchmark: with 10,000 patients and 10,000 notes, times the patient list, a
// search that matches 1 % of the patients, and single durable writes (NoteInsert,
// CustomerUpdate), and prints median and 95th percentile in milliseconds. The patient list is
// timed in turns with its baseline, the same statement run through the sqlite3 C library
// directly as the command-line tool runs it, and the ratio of their medians is printed, in
// wall-clock time and in CPU time; the library runs in this process, with the settings the
// record store gives it. The list is also set against the sqlite3 command-line tool itself
// printing the same rows, its target. The heap is kept for reuse as the program keeps it
// (sys::KeepFreedHeapForReuse).
//
//   sorvanti_bench_records [work-folder]   (default: a new folder under /tmp, removed after)
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "media/MediaLayout.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/sys/HeapReuse.h"
#include "platform/text/Text.h"
#include "platform/ui/ListBox.h"
#include "records/DATABASECONTEXT.h"
#include "records/Statements.h"
#include "tools/bench/SampleDatabase.h"
#include "tools/bench/SqliteShellTiming.h"
#include "tools/bench/SqliteTextQuery.h"

namespace {

constexpr int kRows = 10000;

struct Figures {
    double median;
    double p95;
};

double Milliseconds(const std::function<void()>& operation) {
    const auto start = std::chrono::steady_clock::now();
    operation();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

Figures Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[(samples.size() * 95) / 100]};
}

Figures Measure(int repetitions, const std::function<void(int)>& operation) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        samples.push_back(Milliseconds([&] { operation(i); }));
    }
    return Summarise(std::move(samples));
}

// The CPU time the process has used, in milliseconds.
double ProcessCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// An operation's figures in wall-clock time and in the CPU time the process spent on it. On a
// loaded machine the wall-clock time of a longer operation takes in more of the other
// programs' time slices; its CPU time counts only its own work.
struct TimedFigures {
    Figures wall;
    Figures cpu;
};

// Two operations timed in turns, so that both see the same load from the rest of the machine.
std::pair<TimedFigures, TimedFigures> MeasureInTurns(int repetitions,
                                                     const std::function<void()>& first,
                                                     const std::function<void()>& second) {
    struct Samples {
        std::vector<double> wall;
        std::vector<double> cpu;
    };
    const auto time = [](const std::function<void()>& operation, Samples& samples) {
        const double cpuStart = ProcessCpuMilliseconds();
        samples.wall.push_back(Milliseconds(operation));
        samples.cpu.push_back(ProcessCpuMilliseconds() - cpuStart);
    };
    Samples firstSamples;
    Samples secondSamples;
    for (int i = 0; i < repetitions; ++i) {
        time(first, firstSamples);
        time(second, secondSamples);
    }
    return {{Summarise(std::move(firstSamples.wall)), Summarise(std::move(firstSamples.cpu))},
            {Summarise(std::move(secondSamples.wall)), Summarise(std::move(secondSamples.cpu))}};
}

void Print(const char* what, Figures figures, double target) {
    std::printf("%-44s median %8.2f ms   p95 %8.2f ms   target <= %.0f ms\n", what, figures.median,
                figures.p95, target);
}

void PrintBaseline(const char* what, Figures figures) {
    std::printf("%-44s median %8.2f ms   p95 %8.2f ms\n", what, figures.median, figures.p95);
}

}  // namespace

int main(int argc, char** argv) {
    sys::KeepFreedHeapForReuse();
    std::filesystem::path folder;
    const bool temporary = argc < 2;
    if (temporary) {
        std::string pattern = "/tmp/sorvanti-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            return 1;
        }
        folder = pattern;
    } else {
        folder = argv[1];
        std::filesystem::create_directories(folder);
    }
    if (!FillSampleDatabase(folder, kRows, kRows)) {
        return 1;
    }
    int result = 0;
    {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        const std::filesystem::path database =
            folder / media::kDatabaseFolder / media::kDatabaseFileName;
        SqliteTextQuery baseline(database);
        const std::string listAll = text::ToUtf8(statements::kCustomerListAll);

        ui::MemoryListBox list;
        std::vector<std::string> baselineLines;
        const auto [listFigures, baselineFigures] = MeasureInTurns(
            41, [&] { store.CustomerListAll(list); },
            [&] { baseline.Lines(listAll, baselineLines); });
        if (list.Count() != static_cast<int>(baselineLines.size()) || list.Count() == 0) {
            std::fprintf(stderr, "the list has %d lines, the baseline %zu\n", list.Count(),
                         baselineLines.size());
            result = 1;
        }
        Print("CustomerListAll (10,005 lines)", listFigures.wall, 100);
        PrintBaseline("  baseline: sqlite3 library, same statement", baselineFigures.wall);
        std::printf("%-44s %8.2f\n", "  ratio of the medians",
                    listFigures.wall.median / baselineFigures.wall.median);
        PrintBaseline("  CPU time: CustomerListAll", listFigures.cpu);
        PrintBaseline("  CPU time: baseline", baselineFigures.cpu);
        std::printf("%-44s %8.2f\n", "  ratio of the CPU-time medians",
                    listFigures.cpu.median / baselineFigures.cpu.median);
        const double tool = SqliteShellMilliseconds(database, listAll);
        if (tool > 0) {
            std::printf("%-44s median %8.2f ms\n", "  sqlite3 command-line tool, same rows", tool);
            std::printf("%-44s %8.2f   target <= 2.00\n", "  ratio to the command-line tool",
                        listFigures.wall.median / tool);
        } else {
            std::printf("  the sqlite3 command-line tool could not be run\n");
        }
        Print("CustomerListSearch \"Rare\" (100 matches)",
              Measure(20, [&](int) { store.CustomerListSearch(list, L"Rare"); }), 100);
        NoteRecord note;
        note.customerSerialNumber = 42;
        note.date = L"03072016:140505";
        note.comment = L"Benchmark note";
        Print("NoteInsert (durable)", Measure(200, [&](int) { store.NoteInsert(note); }), 10);
        CustomerRecord customer;
        store.CustomerSelect(42, customer);
        Print("CustomerUpdate (durable)",
              Measure(200,
                      [&](int i) {
                          customer.address = L"Street " + std::to_wstring(i);
                          store.CustomerUpdate(customer, 42);
                      }),
              10);
    }
    if (temporary) {
        std::filesystem::remove_all(folder);
    }
    return result;
}
