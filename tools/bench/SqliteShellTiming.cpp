#include "tools/bench/SqliteShellTiming.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kRepeats = 41;
constexpr int kRuns = 5;

// Runs the tool once on `script`, its output thrown away; the run's wall-clock time in ms, or
// negative when it could not run or did not succeed. Spawned, not forked: a fork would leave
// this process's pages to be copied on its next writes, slowing whatever is timed next. Not
// through sys::Process, which hands a program our standard output: the rows go to /dev/null by
// a redirect, as a shell's would (the tool's own ".output" writes them a third slower).
double RunTool(const std::filesystem::path& database, const std::string& script) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "sqlite3";
    std::string batch = "-batch";
    std::string file = database.string();
    std::string commands = script;
    char* const arguments[] = {program.data(), batch.data(), file.data(), commands.data(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        ::posix_spawnp(&child, program.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double MedianRun(const std::filesystem::path& database, const std::string& script) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const double milliseconds = RunTool(database, script);
        if (milliseconds < 0) {
            return -1;
        }
        runs.push_back(milliseconds);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

double SqliteShellMilliseconds(const std::filesystem::path& database,
                               const std::string& statement) {
    std::string repeated;
    for (int i = 0; i < kRepeats; ++i) {
        repeated += statement + ";";
    }
    const double once = MedianRun(database, statement + ";");
    const double all = MedianRun(database, repeated);
    if (once < 0 || all < 0) {
        return -1;
    }
    return (all - once) / (kRepeats - 1);
}
