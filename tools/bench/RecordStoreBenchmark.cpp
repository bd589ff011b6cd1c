// Record store benchmark: with 10,000 patients and 10,000 notes, times the patient list, a
// search that matches 1 % of the patients, and single durable writes (NoteInsert,
// CustomerUpdate), and prints median and 95th percentile in milliseconds.
//
//   sorvanti_bench_records [work-folder]   (default: a new folder under /tmp, removed after)
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/fs/ProgramFolder.h"
#include "platform/ui/ListBox.h"
#include "records/DATABASECONTEXT.h"
#include "tools/bench/SampleDatabase.h"

namespace {

constexpr int kRows = 10000;

struct Figures {
    double median;
    double p95;
};

Figures Measure(int repetitions, const std::function<void(int)>& operation) {
    std::vector<double> samples;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation(i);
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[(samples.size() * 95) / 100]};
}

void Print(const char* what, Figures figures, double target) {
    std::printf("%-44s median %8.2f ms   p95 %8.2f ms   target <= %.0f ms\n", what, figures.median,
                figures.p95, target);
}

}  // namespace

int main(int argc, char** argv) {
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
    {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();

        ui::MemoryListBox list;
        Print("CustomerListAll (10,005 lines)",
              Measure(20, [&](int) { store.CustomerListAll(list); }), 100);
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
    return 0;
}
