// The in-process mutex and the cross-process folder lock of the configuration file.
#include "utility/files/ConfigurationFileLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>

#include <filesystem>

#include "platform/text/Text.h"

namespace utility {
namespace {

std::mutex gConfigurationMutex;
thread_local int tNesting = 0;

}  // namespace

ConfigurationFileLock::ConfigurationFileLock(const std::wstring& file, Mode mode) {
    if (tNesting++ > 0) {
        return;
    }
    mProcessLock = std::unique_lock(gConfigurationMutex);
    std::filesystem::path folder = text::ToPath(file).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    mFolder.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (mFolder.Valid()) {
        const int operation = mode == Mode::kShared ? LOCK_SH : LOCK_EX;
        while (::flock(mFolder.Get(), operation) != 0 && errno == EINTR) {
        }
    }
}

ConfigurationFileLock::~ConfigurationFileLock() {
    --tNesting;
}

}  // namespace utility
