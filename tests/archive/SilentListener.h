// A listening socket on 127.0.0.1 that never accepts: a connection attempt waits in its backlog,
// where SomeoneConnected() sees it. For checking that a step did no network work.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace archivetest {

class SilentListener {
  public:
    SilentListener() {
        mSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(mSocket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(mSocket, 8);
        socklen_t length = sizeof address;
        ::getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length);
        mPort = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(mSocket); }
    uint16_t Port() const { return mPort; }
    bool SomeoneConnected() const {
        pollfd waiting{mSocket, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }

  private:
    int mSocket = -1;
    uint16_t mPort = 0;
};

}  // namespace archivetest
