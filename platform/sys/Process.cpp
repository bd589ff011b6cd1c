// Starting programs with posix_spawn and waiting for them through a process descriptor.
#include "platform/sys/Process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/text/Text.h"

extern char** environ;

namespace sys {
namespace {

// Collects the process when it ends, without keeping anything of ours alive meanwhile.
void ReapInBackground(int pid) {
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

// The spawn settings: a new session, a clean signal mask and default signal handling, and
// every descriptor above the standard three closed in the child.
class SpawnSettings {
  public:
    SpawnSettings() {
        ::posix_spawnattr_init(&mAttributes);
        ::posix_spawn_file_actions_init(&mFileActions);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        ::posix_spawnattr_setsigmask(&mAttributes, &none);
        ::posix_spawnattr_setsigdefault(&mAttributes, &all);
        ::posix_spawnattr_setflags(
            &mAttributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawn_file_actions_addclosefrom_np(&mFileActions, 3);
    }
    ~SpawnSettings() {
        ::posix_spawn_file_actions_destroy(&mFileActions);
        ::posix_spawnattr_destroy(&mAttributes);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    const posix_spawnattr_t* Attributes() const { return &mAttributes; }
    const posix_spawn_file_actions_t* FileActions() const { return &mFileActions; }

  private:
    posix_spawnattr_t mAttributes;
    posix_spawn_file_actions_t mFileActions;
};

}  // namespace

std::optional<Process> Process::Start(const std::vector<std::wstring>& arguments) {
    if (arguments.empty() || arguments.front().empty()) {
        return std::nullopt;
    }
    std::vector<std::string> narrow;
    narrow.reserve(arguments.size());
    for (const std::wstring& argument : arguments) {
        narrow.push_back(text::ToUtf8(argument));
    }
    std::vector<char*> argv;
    for (std::string& argument : narrow) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const SpawnSettings settings;
    pid_t pid = -1;
    if (::posix_spawnp(&pid, argv[0], settings.FileActions(), settings.Attributes(), argv.data(),
                       environ) != 0) {
        return std::nullopt;
    }
    // Called directly: the C library's declaration of it lacks C linkage in C++. Without a
    // process descriptor (an old kernel) Wait falls back to polling.
    return Process(pid, static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
}

Process::Process(Process&& other) noexcept
    : mPid(other.mPid), mPidFd(other.mPidFd), mEnded(other.mEnded), mExitCode(other.mExitCode) {
    other.mPid = -1;
    other.mPidFd = -1;
}

Process::~Process() {
    if (mPidFd >= 0) {
        ::close(mPidFd);
    }
    if (mPid > 0 && !mEnded) {
        ReapInBackground(mPid);
    }
}

bool Process::Wait(int milliseconds) {
    if (mPid <= 0 || mEnded) {
        return mEnded;
    }
    int status = 0;
    auto reaped = [&] {
        pid_t result;
        do {
            result = ::waitpid(mPid, &status, WNOHANG);
        } while (result < 0 && errno == EINTR);
        return result == mPid;
    };
    if (mPidFd >= 0) {
        pollfd descriptor{mPidFd, POLLIN, 0};
        while (::poll(&descriptor, 1, milliseconds < 0 ? -1 : milliseconds) < 0 && errno == EINTR) {
        }
        mEnded = reaped();
    } else {
        constexpr int kStepMilliseconds = 10;
        for (int waited = 0; !(mEnded = reaped()) && (milliseconds < 0 || waited < milliseconds);
             waited += kStepMilliseconds) {
            ::usleep(kStepMilliseconds * 1000);
        }
    }
    if (mEnded && WIFEXITED(status)) {
        mExitCode = WEXITSTATUS(status);
    }
    return mEnded;
}

}  // namespace sys
