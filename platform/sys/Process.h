// Starting another program directly, never through a shell: the arguments are handed to the
// program exactly as given. The program is looked up in PATH when its name holds no '/'; it
// runs in a session of its own (it survives the program's end and gets no terminal signals of
// ours), with our environment and current folder, inheriting no open files but the standard
// three.
//
// A started process is reaped exactly once: by a Wait that sees it end, or, when its Process
// object is destroyed while it still runs, by a background thread that holds nothing but its
// process id. Threading: one Process object per thread; Start itself is thread-safe.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sys {

class Process {
  public:
    // Starts arguments[0] with all of `arguments`; nullopt when there is nothing to start or it
    // cannot be started (not found, not executable).
    static std::optional<Process> Start(const std::vector<std::wstring>& arguments);

    ~Process();
    Process(Process&& other) noexcept;
    Process& operator=(Process&&) = delete;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Waits until the process has ended, at most `milliseconds` (negative: without limit).
    // true when it has ended.
    bool Wait(int milliseconds);
    int Id() const { return mPid; }
    // The exit status when it ended normally, -1 otherwise (also while it runs).
    int ExitCode() const { return mExitCode; }

  private:
    Process(int pid, int pidFd) : mPid(pid), mPidFd(pidFd) {}

    int mPid = -1;
    int mPidFd = -1;
    bool mEnded = false;
    int mExitCode = -1;
};

}  // namespace sys
