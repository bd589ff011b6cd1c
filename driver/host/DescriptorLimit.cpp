// RLIMIT_NOFILE through getrlimit and setrlimit.
#include "driver/host/DescriptorLimit.h"

#include <sys/resource.h>

#include <cstdint>

namespace ostrel::host {

size_t RaiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    return DescriptorLimit();
}

size_t DescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return SIZE_MAX;
    }
    return static_cast<size_t>(limit.rlim_cur);
}

}  // namespace ostrel::host
