// Unix-domain stream sockets: an owned descriptor, listening and connecting by path, and whole
// reads and writes (retrying short transfers and interruptions).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace ostrel::host {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : mFd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : mFd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;

    int Get() const { return mFd; }
    bool Valid() const { return mFd >= 0; }
    int Release();

  private:
    int mFd = -1;
};

// A non-blocking listening socket at `path` (a stale socket file is replaced) with `mode`
// permissions. Invalid, with `error` naming the failed call, on failure.
UniqueFd ListenAt(const std::filesystem::path& path, unsigned mode, std::string& error);
UniqueFd ConnectTo(const std::filesystem::path& path, std::string& error);
// The user id of the process that connected `fd` (SO_PEERCRED), nullopt when it cannot be read.
std::optional<uid_t> PeerUid(int fd);
// False when the peer closed the connection or an error occurred.
bool ReadExactly(int fd, std::span<uint8_t> bytes);
bool WriteAll(int fd, std::span<const uint8_t> bytes);

}  // namespace ostrel::host
