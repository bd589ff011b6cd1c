// The embedded database engine's library, which this process shares with the SQLite3 ODBC
// driver (both load the one libsqlite3), set up for the way the program uses it. The driver
// copies every value it hands over into memory of its own, through the library's allocator,
// and reads each value with calls that take the connection's lock:
//  - allocation statistics are turned off: their lock and bookkeeping came with every one of
//    those copies, a quarter of the time a list of patients took;
//  - connections are opened without a lock of their own: a Connection is used by one thread
//    at a time (the driver keeps each connection's state without any lock, so sharing one
//    was never safe anyway), and connections on different threads stay independent.
// The library takes settings only before its first use in the process; later they are left
// as they are, which changes nothing but speed.
#pragma once

namespace odbc::detail {

// Applies the settings above once per process, before the first connection opens.
void ConfigureEmbeddedEngine();

}  // namespace odbc::detail
