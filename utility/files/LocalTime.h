// The current local time, for the date strings and the log's timestamp lines.
#pragma once

#include <ctime>

namespace utility {

inline std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
}

}  // namespace utility
