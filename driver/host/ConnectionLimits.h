// The limits on interface connections. Clients are hostile until checked and every connection
// costs a descriptor and its buffers, so one client can hold only so many connections, all of
// them together stay below the daemon's descriptors, and a connection that leaves nothing to do
// for the idle time-out is closed. A client is a user: connections are counted by the peer's uid
// (SO_PEERCRED), since forking more processes must not buy more of them.
#pragma once

#include <chrono>
#include <cstddef>

namespace ostrel::host {

struct ConnectionLimits {
    // Connections of one user over every interface; more are closed as soon as accepted.
    size_t PerClient = 64;
    // Connections over every interface; lowered to fit the descriptor limit.
    size_t Total = 1024;
    // A connection with no request in the driver and no whole request received or reply sent
    // for this long is closed.
    std::chrono::milliseconds IdleTimeout{60000};
    // Threads per interface that present requests to the device, and how many of them one
    // user's requests may hold: one user's waiting requests leave threads for the others, and
    // still one for that user's quick requests beside a long wait.
    size_t WorkersPerInterface = 4;
    size_t RunningPerClient = 2;
};

}  // namespace ostrel::host
