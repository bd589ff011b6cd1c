// Ownership of one POSIX file descriptor, and the write loop every file writer of the utility
// library goes through.
#pragma once

#include <string_view>
#include <utility>

namespace utility {

// Closes its descriptor when it goes. -1 means "no file".
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : mFd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : mFd(std::exchange(other.mFd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return mFd; }
    bool Valid() const { return mFd >= 0; }
    // Gives up ownership without closing.
    int Release() { return std::exchange(mFd, -1); }
    // Closes the current descriptor (if any) and takes `fd`.
    void Reset(int fd = -1);
    // Closes now and reports whether the close succeeded: some file systems report a failed
    // write only here.
    bool Close();

  private:
    int mFd = -1;
};

// Writes all of `bytes`, continuing after partial writes and interruptions. false on the first
// error; how much was written by then is unspecified.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace utility
