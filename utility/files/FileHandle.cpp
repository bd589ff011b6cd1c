// File descriptor ownership and the complete-write loop.
#include "utility/files/FileHandle.h"

#include <errno.h>
#include <unistd.h>

namespace utility {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    Reset(std::exchange(other.mFd, -1));
    return *this;
}

void UniqueFd::Reset(int fd) {
    if (mFd >= 0) {
        ::close(mFd);
    }
    mFd = fd;
}

bool UniqueFd::Close() {
    const int fd = std::exchange(mFd, -1);
    // Linux releases the descriptor even when close() is interrupted.
    return fd < 0 || ::close(fd) == 0 || errno == EINTR;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace utility
