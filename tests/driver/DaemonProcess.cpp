// Starting and stopping ostreld for the tests.
#include "DaemonProcess.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace drivertest {

pid_t StartDaemon(std::vector<std::string> arguments, mode_t mask,
                  std::optional<rlim_t> descriptors) {
    arguments.insert(arguments.begin(), OSTRELD_PATH);
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t daemon = fork();
    if (daemon == 0) {
        // Only async-signal-safe calls until exec.
        umask(mask);
        if (descriptors) {
            rlimit limit{*descriptors, *descriptors};
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        execv(OSTRELD_PATH, argv.data());
        _exit(127);
    }
    return daemon;
}

bool StopDaemon(pid_t daemon) {
    if (daemon <= 0) {
        return false;
    }
    kill(daemon, SIGTERM);
    int status = 0;
    waitpid(daemon, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool WaitForPath(const std::filesystem::path& path, bool exists) {
    for (int i = 0; i < 2000; ++i) {
        if (std::filesystem::exists(path) == exists) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace drivertest
