// sorvanti-dicom: the archive's command line; "run" is the sender as a process of its own.
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "archive/ArchiveCommands.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSettings.h"
#include "archive/ArchiveWorker.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/text/Text.h"
#include "records/DatabaseSettings.h"

namespace {

// Sends until SIGINT or SIGTERM. The signals are blocked before the worker's thread starts, so
// only sigwait receives them.
int Run() {
    std::string problem;
    const auto settings = ReadArchiveSettings(problem);
    if (!settings) {
        std::cerr << "archive: off: " << (problem.empty() ? "no archive configured" : problem)
                  << "\n";
        return 1;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    const std::filesystem::path mediaFolder =
        text::ToPath(MediaFolder(ReadDatabaseSettings(), text::FromPath(program::Folder())));
    ArchiveWorker worker(*settings, ArchiveQueue::DefaultFolder(), mediaFolder, {},
                         [](const SendPassResult& result) {
                             if (result.sent > 0 || result.waiting > 0) {
                                 std::fprintf(stderr, "archive: %d sent, %d waiting%s%s\n",
                                              result.sent, result.waiting,
                                              result.lastError.empty() ? "" : ": ",
                                              result.lastError.c_str());
                             }
                         });
    int received = 0;
    sigwait(&signals, &received);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && arguments[0] == "run") {
        return Run();
    }
    return RunArchiveCommand(arguments, std::cout, std::cerr);
}
