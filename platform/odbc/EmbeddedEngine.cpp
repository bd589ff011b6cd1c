#include "platform/odbc/EmbeddedEngine.h"

#include <sqlite3.h>

#include <mutex>

namespace odbc::detail {

void ConfigureEmbeddedEngine() {
    static std::once_flag configured;
    std::call_once(configured, [] {
        // Each returns SQLITE_MISUSE when the library was used already; nothing to do then.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
    });
}

}  // namespace odbc::detail
