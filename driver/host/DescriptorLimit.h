// The process's limit on open descriptors (RLIMIT_NOFILE), which caps how many connections the
// daemon can hold.
#pragma once

#include <cstddef>

namespace ostrel::host {

// Raises the soft limit to the hard limit; returns the soft limit in force afterwards.
size_t RaiseDescriptorLimit();
// The soft limit in force.
size_t DescriptorLimit();

}  // namespace ostrel::host
