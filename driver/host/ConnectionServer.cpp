// Accepting, reading, answering and closing interface connections on the event loop.
#include "driver/host/ConnectionServer.h"

#include <sys/epoll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "driver/framework/Trace.h"
#include "driver/host/DescriptorLimit.h"

namespace ostrel::host {
namespace {

using Clock = std::chrono::steady_clock;

// Descriptors kept for everything but connections: listeners, USB devices, udev, the loop.
constexpr size_t kReservedDescriptors = 64;
// Connections accepted per wake-up of one listener, so the others get their turn.
constexpr int kAcceptsPerWake = 64;

std::chrono::milliseconds TickInterval(std::chrono::milliseconds idleTimeout) {
    return std::clamp<std::chrono::milliseconds>(idleTimeout / 4, std::chrono::milliseconds(10),
                                                 std::chrono::seconds(1));
}

ConnectionLimits FitDescriptors(ConnectionLimits limits) {
    size_t descriptors = DescriptorLimit();
    size_t available = descriptors > 2 * kReservedDescriptors ? descriptors - kReservedDescriptors
                                                              : kReservedDescriptors;
    limits.Total = std::min(limits.Total, available);
    return limits;
}

}  // namespace

ConnectionServer::ConnectionServer(ConnectionLimits limits)
    : mLimits(FitDescriptors(limits)),
      mLoop(TickInterval(mLimits.IdleTimeout), [this] { Tick(); }) {}

ConnectionServer::~ConnectionServer() {
    mLoop.Stop();
}

bool ConnectionServer::Start(std::string& error) {
    return mLoop.Start(error);
}

uint64_t ConnectionServer::Listen(UniqueFd listener, RequestSink sink) {
    if (!mLoop.Running()) {
        return 0;
    }
    uint64_t id = 0;
    mLoop.Call([&] {
        uint64_t token =
            mLoop.Watch(listener.Get(), EPOLLIN, [this, at = mNextId](uint32_t) { Accept(at); });
        if (token != 0) {
            id = mNextId++;
            mListeners.emplace(id, Listening{std::move(listener), std::move(sink), token});
        }
    });
    return id;
}

void ConnectionServer::Withdraw(uint64_t listener) {
    mLoop.Call([&] {
        auto found = mListeners.find(listener);
        if (found == mListeners.end()) {
            return;
        }
        mLoop.Forget(found->second.Token);
        mListeners.erase(found);
        std::vector<uint64_t> withdrawn;
        for (auto& [id, served] : mConnections) {
            if (served->Listener == listener) {
                served->Listener = 0;
                // From here the client's sends fail; what it sent before is still read.
                shutdown(served->Socket.Fd(), SHUT_RD);
                withdrawn.push_back(id);
            }
        }
        for (uint64_t id : withdrawn) {
            Advance(id);
        }
    });
}

void ConnectionServer::Reply(uint64_t connection, std::vector<uint8_t> reply) {
    mLoop.Post([this, connection, reply = std::move(reply)] {
        auto found = mConnections.find(connection);
        if (found == mConnections.end()) {
            return;
        }
        found->second->InDriver = false;
        found->second->Socket.QueueReply(reply);
        Advance(connection);
    });
}

void ConnectionServer::Accept(uint64_t listener) {
    auto found = mListeners.find(listener);
    if (found == mListeners.end()) {
        return;
    }
    Listening& listening = found->second;
    for (int i = 0; i < kAcceptsPerWake; ++i) {
        UniqueFd socket(
            accept4(listening.Socket.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (socket.Valid()) {
            if (!Admit(std::move(socket), listener)) {
                ++mRefused;
            }
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            // Out of descriptors or memory: rather than spin, accept again at the next tick.
            TraceEvents(TRACE_LEVEL_WARNING, "socket", "accept failed: {}", std::strerror(errno));
            mLoop.Change(listening.Token, 0);
            listening.Paused = true;
        }
        return;
    }
}

bool ConnectionServer::Admit(UniqueFd socket, uint64_t listener) {
    std::optional<uid_t> client = PeerUid(socket.Get());
    if (!client || mConnections.size() >= mLimits.Total) {
        return false;
    }
    auto counted = mConnectionsOfClient.find(*client);
    if (counted != mConnectionsOfClient.end() && counted->second >= mLimits.PerClient) {
        return false;
    }
    uint64_t id = mNextId++;
    auto served =
        std::make_unique<Served>(Connection(std::move(socket), *client), listener, Clock::now());
    served->Interest = EPOLLIN;
    served->Token = mLoop.Watch(served->Socket.Fd(), served->Interest,
                                [this, id](uint32_t events) { OnEvents(id, events); });
    if (served->Token == 0) {
        return false;
    }
    ++mConnectionsOfClient[*client];
    mConnections.emplace(id, std::move(served));
    return true;
}

void ConnectionServer::OnEvents(uint64_t connection, uint32_t events) {
    auto found = mConnections.find(connection);
    if (found == mConnections.end()) {
        return;
    }
    Served& served = *found->second;
    // The peer is gone for good: no reply can reach it.
    if (events & (EPOLLERR | EPOLLHUP)) {
        Close(connection);
        return;
    }
    if ((events & EPOLLIN) && served.Socket.Receive() == Connection::Received::Ended) {
        served.InputEnded = true;
    }
    Advance(connection);
}

void ConnectionServer::Advance(uint64_t connection) {
    auto found = mConnections.find(connection);
    if (found == mConnections.end()) {
        return;
    }
    Served& served = *found->second;
    for (;;) {
        if (served.Socket.HasOutput()) {
            if (!served.Socket.Send()) {
                Close(connection);
                return;
            }
            if (served.Socket.HasOutput()) {
                break;
            }
            served.LastActivity = Clock::now();
        }
        if (served.InDriver) {
            break;
        }
        bool refused = false;
        std::optional<SocketRequest> request = served.Socket.TakeRequest(refused);
        if (refused) {
            TraceEvents(TRACE_LEVEL_WARNING, "socket", "refused a request beyond the size limit");
            served.Socket.QueueReply(wire::EncodeResponse(STATUS_INVALID_PARAMETER, 0, {}));
            served.InputEnded = true;
            continue;
        }
        if (request) {
            served.LastActivity = Clock::now();
            auto listener = mListeners.find(served.Listener);
            if (listener == mListeners.end()) {
                served.Socket.QueueReply(wire::EncodeResponse(STATUS_NO_SUCH_DEVICE, 0, {}));
                continue;
            }
            served.InDriver = true;
            listener->second.Sink(connection, served.Socket.Client(), std::move(*request));
            continue;
        }
        if (served.InputEnded) {
            Close(connection);
            return;
        }
        if (served.Listener == 0) {
            // Withdrawn: take in what the client sent before; it can send nothing more.
            if (served.Socket.Receive() != Connection::Received::Data) {
                served.InputEnded = true;
            }
            continue;
        }
        break;
    }
    uint32_t interest = EPOLLIN;
    if (served.Socket.HasOutput()) {
        interest = EPOLLOUT;
    } else if (served.InDriver) {
        interest = 0;
    }
    if (interest != served.Interest) {
        mLoop.Change(served.Token, interest);
        served.Interest = interest;
    }
}

void ConnectionServer::Close(uint64_t connection) {
    auto found = mConnections.find(connection);
    if (found == mConnections.end()) {
        return;
    }
    mLoop.Forget(found->second->Token);
    uid_t client = found->second->Socket.Client();
    if (--mConnectionsOfClient[client] == 0) {
        mConnectionsOfClient.erase(client);
    }
    mConnections.erase(found);
}

void ConnectionServer::Tick() {
    auto now = Clock::now();
    std::vector<uint64_t> idle;
    for (const auto& [id, served] : mConnections) {
        if (!served->InDriver && now - served->LastActivity >= mLimits.IdleTimeout) {
            idle.push_back(id);
        }
    }
    for (uint64_t id : idle) {
        Close(id);
    }
    for (auto& [id, listening] : mListeners) {
        if (listening.Paused) {
            mLoop.Change(listening.Token, EPOLLIN);
            listening.Paused = false;
        }
    }
    if (mRefused > 0) {
        TraceEvents(TRACE_LEVEL_WARNING, "socket",
                    "refused {} connections beyond the limits ({} per user, {} in all)", mRefused,
                    mLimits.PerClient, mLimits.Total);
        mRefused = 0;
    }
}

}  // namespace ostrel::host
