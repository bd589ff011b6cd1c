// Unix-domain socket helpers over the POSIX calls.
#include "driver/host/UnixSocket.h"

#include <fmt/format.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ostrel::host {
namespace {

bool Address(const std::filesystem::path& path, sockaddr_un& address, std::string& error) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    const std::string& text = path.native();
    if (text.size() >= sizeof address.sun_path) {
        error = fmt::format("socket path too long ({} bytes): {}", text.size(), text);
        return false;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

std::string Failure(const char* call, const std::filesystem::path& path) {
    return fmt::format("{} {}: {}", call, path.native(), std::strerror(errno));
}

}  // namespace

UniqueFd::~UniqueFd() {
    if (mFd >= 0) {
        close(mFd);
    }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (mFd >= 0) {
            close(mFd);
        }
        mFd = other.Release();
    }
    return *this;
}

int UniqueFd::Release() {
    int fd = mFd;
    mFd = -1;
    return fd;
}

UniqueFd ListenAt(const std::filesystem::path& path, unsigned mode, std::string& error) {
    // The socket is bound and listening under a hidden name beside `path` and then renamed, so
    // that a client which sees `path` can connect at once.
    const std::filesystem::path staging = path.parent_path() / ("." + path.filename().native());
    sockaddr_un address;
    if (!Address(staging, address, error)) {
        return {};
    }
    UniqueFd socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socketFd.Valid()) {
        error = Failure("socket", path);
        return {};
    }
    unlink(address.sun_path);
    // The socket file takes the socket's own mode less the umask; setting it first means the
    // file is never wider than `mode`, even for the moment before the chmod below makes it exact.
    if (fchmod(socketFd.Get(), mode) != 0 ||
        bind(socketFd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Failure("bind", path);
        return {};
    }
    if (chmod(address.sun_path, mode) != 0 || listen(socketFd.Get(), SOMAXCONN) != 0) {
        error = Failure("listen", path);
        unlink(address.sun_path);
        return {};
    }
    // A stale socket file at `path` is replaced.
    if (rename(address.sun_path, path.c_str()) != 0) {
        error = Failure("rename", path);
        unlink(address.sun_path);
        return {};
    }
    return socketFd;
}

UniqueFd ConnectTo(const std::filesystem::path& path, std::string& error) {
    sockaddr_un address;
    if (!Address(path, address, error)) {
        return {};
    }
    UniqueFd socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socketFd.Valid() ||
        connect(socketFd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Failure("connect", path);
        return {};
    }
    return socketFd;
}

std::optional<uid_t> PeerUid(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) {
        return std::nullopt;
    }
    return credentials.uid;
}

bool ReadExactly(int fd, std::span<uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = recv(fd, bytes.data() + done, bytes.size() - done, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t sent = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        done += static_cast<size_t>(sent);
    }
    return true;
}

}  // namespace ostrel::host
