// Internal to the odbc layer: the driver manager's data-source configuration (the ini files,
// their cache, the installer's configuration mode) is process-wide and not safe to read and
// write from two threads at once. Registering a data source and looking one up to connect
// take turns under this lock.
#pragma once

#include <mutex>

namespace odbc::detail {

inline std::mutex& DataSourceIniMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace odbc::detail
