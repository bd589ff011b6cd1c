// Tracing to stderr with one lock so lines from several threads never interleave.
#include "driver/framework/Trace.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::mutex gTraceMutex;
std::string gProvider;
bool gTracing = false;
TRACE_LEVEL gMaximumLevel = TRACE_LEVEL_INFORMATION;

const char* LevelName(TRACE_LEVEL level) {
    switch (level) {
        case TRACE_LEVEL_ERROR:
            return "error";
        case TRACE_LEVEL_WARNING:
            return "warning";
        case TRACE_LEVEL_INFORMATION:
            return "info";
        case TRACE_LEVEL_VERBOSE:
            return "verbose";
    }
    return "?";
}

}  // namespace

void WppInitTracing(std::string_view provider, TRACE_LEVEL maximumLevel) {
    std::lock_guard lock(gTraceMutex);
    gProvider = provider;
    gMaximumLevel = maximumLevel;
    gTracing = true;
}

void WppCleanup() {
    std::lock_guard lock(gTraceMutex);
    gTracing = false;
    std::fflush(stderr);
}

bool WppIsTracing() {
    std::lock_guard lock(gTraceMutex);
    return gTracing;
}

bool TraceLevelEnabled(TRACE_LEVEL level) {
    std::lock_guard lock(gTraceMutex);
    return gTracing && level <= gMaximumLevel;
}

void TraceWrite(TRACE_LEVEL level, std::string_view flag, std::string_view message) {
    std::lock_guard lock(gTraceMutex);
    if (!gTracing) {
        return;
    }
    fmt::print(stderr, "{}: {} [{}] {}\n", gProvider, LevelName(level), flag, message);
}
