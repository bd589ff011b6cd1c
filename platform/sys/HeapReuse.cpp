// The heap's trimming policy, through the C library's tuning call.
#include "platform/sys/HeapReuse.h"

#include <malloc.h>

namespace sys {

void KeepFreedHeapForReuse() {
    constexpr int kKeptBytes = 64 << 20;
    constexpr int kGrowthBytes = 16 << 20;
    ::mallopt(M_TRIM_THRESHOLD, kKeptBytes);
    ::mallopt(M_TOP_PAD, kGrowthBytes);
}

}  // namespace sys
