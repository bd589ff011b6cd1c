// The program folder from /proc/self/exe, with a test override.
#include "platform/fs/ProgramFolder.h"

#include <mutex>
#include <optional>

namespace program {
namespace {

std::mutex gOverrideMutex;
std::optional<std::filesystem::path> gOverride;

std::filesystem::path ExecutablePath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

}  // namespace

std::filesystem::path Folder() {
    {
        std::lock_guard lock(gOverrideMutex);
        if (gOverride) {
            return *gOverride;
        }
    }
    return ExecutablePath().parent_path();
}

std::string ExecutableName() {
    return ExecutablePath().filename().string();
}

namespace testing {

void SetFolder(const std::filesystem::path& folder) {
    std::lock_guard lock(gOverrideMutex);
    gOverride = folder;
}

void ResetFolder() {
    std::lock_guard lock(gOverrideMutex);
    gOverride.reset();
}

}  // namespace testing
}  // namespace program
