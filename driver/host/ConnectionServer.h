// Serves every published interface socket on one event loop, without a thread per connection:
// it accepts connections within the limits, reads whole requests, hands each to its interface's
// sink, and sends the replies back. A connection has one request in the driver at a time; its
// next request is taken once the reply is on its way.
//
//   accepted ──► reading ──whole request──► in the driver ──reply──► sending ──sent──► reading
//      │            └ idle past the time-out, peer gone, bad header (answered): closed
//      └ over a limit: closed at once
//   withdrawn: the client can send no more; what it sent before is answered (requests that had
//              not reached the driver with STATUS_NO_SUCH_DEVICE), and the connection closes
//              once every reply is sent.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "driver/host/Connection.h"
#include "driver/host/ConnectionLimits.h"
#include "driver/host/EventLoop.h"

namespace ostrel::host {

class ConnectionServer {
  public:
    // Receives each whole request on the loop's thread; it must not wait. The request's reply
    // is due through Reply(connection, ...).
    using RequestSink =
        std::function<void(uint64_t connection, uid_t client, SocketRequest request)>;

    explicit ConnectionServer(ConnectionLimits limits);
    // Replies already handed over still go out, as far as the sockets take them at once.
    ~ConnectionServer();
    ConnectionServer(const ConnectionServer&) = delete;
    ConnectionServer& operator=(const ConnectionServer&) = delete;

    // False with `error` set when the loop cannot be started.
    bool Start(std::string& error);
    const ConnectionLimits& Limits() const { return mLimits; }

    // From any thread. Serves the connections of `listener` (listening, non-blocking); returns
    // the listener's id, 0 when the server is not running.
    uint64_t Listen(UniqueFd listener, RequestSink sink);
    // Closes the listener; its connections are withdrawn (see above). On return its sink is
    // called no more.
    void Withdraw(uint64_t listener);
    // The reply to the request a connection handed to its sink; dropped when the connection has
    // closed meanwhile.
    void Reply(uint64_t connection, std::vector<uint8_t> reply);

  private:
    struct Listening {
        UniqueFd Socket;
        RequestSink Sink;
        uint64_t Token = 0;
        bool Paused = false;  // out of descriptors: accepting again at the next tick
    };
    struct Served {
        Served(Connection socket, uint64_t listener, std::chrono::steady_clock::time_point now)
            : Socket(std::move(socket)), Listener(listener), LastActivity(now) {}

        Connection Socket;
        uint64_t Listener;  // 0 once withdrawn
        uint64_t Token = 0;
        uint32_t Interest = 0;
        bool InDriver = false;
        bool InputEnded = false;  // no more requests will be taken
        std::chrono::steady_clock::time_point LastActivity;
    };

    void Accept(uint64_t listener);
    bool Admit(UniqueFd socket, uint64_t listener);
    void OnEvents(uint64_t connection, uint32_t events);
    // Moves the connection on as far as it can go without waiting; may close it.
    void Advance(uint64_t connection);
    void Close(uint64_t connection);
    void Tick();

    ConnectionLimits mLimits;
    uint64_t mNextId = 1;
    std::unordered_map<uint64_t, Listening> mListeners;
    std::unordered_map<uint64_t, std::unique_ptr<Served>> mConnections;
    std::unordered_map<uid_t, size_t> mConnectionsOfClient;
    size_t mRefused = 0;  // since the last tick
    // Last, so that its thread is joined before the state above goes away.
    EventLoop mLoop;
};

}  // namespace ostrel::host
