// One accepted interface connection, used only on the event loop's thread: the bytes received
// and not yet taken as a request, and the reply bytes not yet sent. Every call returns without
// waiting (the socket is non-blocking). At most one whole request is held beyond what the socket
// itself buffers, so a client that sends without reading cannot make it grow without bound.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "driver/host/UnixSocket.h"
#include "driver/host/WireFormat.h"

namespace ostrel::host {

// A whole request as the client sent it.
struct SocketRequest {
    wire::RequestHeader Header;
    std::vector<uint8_t> Input;
};

class Connection {
  public:
    enum class Received {
        Data,     // bytes were added
        Nothing,  // nothing has arrived, or a whole request is already held
        Ended,    // the peer ended its side, or the socket failed: nothing more will arrive
    };

    Connection(UniqueFd socket, uid_t client) : mSocket(std::move(socket)), mClient(client) {}

    int Fd() const { return mSocket.Get(); }
    uid_t Client() const { return mClient; }

    Received Receive();
    // The next whole request, or nullopt while it is incomplete. A header with lengths beyond
    // the limit sets `refused` and drops what was received: the stream cannot be followed past
    // it.
    std::optional<SocketRequest> TakeRequest(bool& refused);

    void QueueReply(std::span<const uint8_t> bytes);
    // Sends what the socket takes; false when the socket failed (the peer is gone).
    bool Send();
    bool HasOutput() const { return mSent < mOutput.size(); }

  private:
    // Whether the input holds the whole first request (or a header that is refused).
    bool HoldsWholeRequest() const;

    UniqueFd mSocket;
    uid_t mClient;
    std::vector<uint8_t> mInput;
    std::vector<uint8_t> mOutput;
    size_t mSent = 0;
};

}  // namespace ostrel::host
