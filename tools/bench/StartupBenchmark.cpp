// Start-up benchmark: from process start to the main window shown, with 10,000 patients in the
// database, not counting the cover's fixed second. Each run starts this program afresh as a
// child (so loading, the windowing system, the configuration, the record store and the
// patient list are all counted); the child measures from the parent's spawn time to the moment
// the main window's modal run begins, less the time the cover was up. Prints the median and the
// worst of the runs.
//
//   sorvanti_bench_startup            (a new work folder under /tmp, removed after)
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CTamrelApp.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/ui/testing/UiTesting.h"
#include "tools/bench/SampleDatabase.h"

extern char** environ;

namespace {

constexpr int kPatients = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMilliseconds = 400;

double NowMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// The child: runs the application's start-up; prints the start-up time in milliseconds.
int RunChild(const std::filesystem::path& folder, double spawnedAt) {
    UseProgramFolder(folder);
    ui::testing::StartUi();
    double coverShown = 0;
    double coverEnded = 0;
    double mainShown = 0;
    ui::testing::OnNextModal([&](ui::testing::ModalWindow& cover) {
        coverShown = NowMilliseconds();
        cover.WaitUntilEnded(5000);
        coverEnded = NowMilliseconds();
    });
    ui::testing::OnNextModal([&](ui::testing::ModalWindow& window) {
        mainShown = NowMilliseconds();
        window.End(2);
    });
    CTamrelApp application;
    application.InitInstance();
    application.ExitInstance();
    std::printf("%.3f\n", mainShown - spawnedAt - (coverEnded - coverShown));
    return mainShown > 0 ? 0 : 1;
}

double RunOnce(const std::filesystem::path& folder) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string output = (folder / "run.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    const std::string spawnedAt = std::to_string(NowMilliseconds());
    std::string folderText = folder.string();
    std::string childFlag = "--child";
    char* argv[] = {const_cast<char*>(self.c_str()), childFlag.data(), folderText.data(),
                    const_cast<char*>(spawnedAt.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, environ) != 0) {
        return -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    std::FILE* file = std::fopen(output.c_str(), "r");
    double milliseconds = -1;
    if (file) {
        if (std::fscanf(file, "%lf", &milliseconds) != 1) {
            milliseconds = -1;
        }
        std::fclose(file);
    }
    return milliseconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--child") {
        return RunChild(argv[2], std::atof(argv[3]));
    }
    std::string pattern = "/tmp/sorvanti-bench-startup-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    if (!FillSampleDatabase(folder, kPatients, 0)) {
        return 1;
    }
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        const double milliseconds = RunOnce(folder);
        if (milliseconds < 0) {
            std::fprintf(stderr, "run %d failed\n", run);
            return 1;
        }
        samples.push_back(milliseconds);
    }
    std::filesystem::remove_all(folder);
    std::sort(samples.begin(), samples.end());
    std::printf("%-44s median %8.2f ms   worst %8.2f ms   target <= %.0f ms\n",
                "start-up to main window, 10,000 patients", samples[samples.size() / 2],
                samples.back(), kTargetMilliseconds);
    return 0;
}
