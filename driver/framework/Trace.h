// Software tracing: the driver's trace messages with a level and a flag, written to stderr (the
// journal under systemd). Tracing is started once per process by driver entry and stopped once
// when the driver object goes away; messages outside that window are dropped.
#pragma once

#include <fmt/format.h>

#include <cstdint>
#include <string_view>

enum TRACE_LEVEL : uint8_t {
    TRACE_LEVEL_ERROR = 2,
    TRACE_LEVEL_WARNING = 3,
    TRACE_LEVEL_INFORMATION = 4,
    TRACE_LEVEL_VERBOSE = 5,
};

// Starts tracing for `provider` (the prefix of every line) up to `maximumLevel`.
void WppInitTracing(std::string_view provider, TRACE_LEVEL maximumLevel = TRACE_LEVEL_INFORMATION);
void WppCleanup();
bool WppIsTracing();

void TraceWrite(TRACE_LEVEL level, std::string_view flag, std::string_view message);
bool TraceLevelEnabled(TRACE_LEVEL level);

template <typename... Args>
void TraceEvents(TRACE_LEVEL level, std::string_view flag, fmt::format_string<Args...> format,
                 Args&&... args) {
    if (TraceLevelEnabled(level)) {
        TraceWrite(level, flag, fmt::format(format, std::forward<Args>(args)...));
    }
}
