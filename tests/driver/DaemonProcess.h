// ostreld as the tests run it: a child process with a chosen umask and descriptor limit, stopped
// with SIGTERM; and waiting for the paths it publishes.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace drivertest {

// ostreld with `arguments`, under umask `mask` and, when given, `descriptors` as its soft and hard
// RLIMIT_NOFILE. -1 when it cannot be started.
pid_t StartDaemon(std::vector<std::string> arguments, mode_t mask = 022,
                  std::optional<rlim_t> descriptors = std::nullopt);
// Stops the daemon with SIGTERM; true when it exited with status 0.
bool StopDaemon(pid_t daemon);
// Waits (generously) until `path` exists or, with `exists` false, is gone.
bool WaitForPath(const std::filesystem::path& path, bool exists);

}  // namespace drivertest
