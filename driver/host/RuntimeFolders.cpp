// Creating runtime folders with an exact mode.
#include "driver/host/RuntimeFolders.h"

#include <fmt/format.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace ostrel::host {

bool CreateFolders(const std::filesystem::path& folder, unsigned mode, std::string& error) {
    std::filesystem::path at;
    for (const std::filesystem::path& part : folder) {
        at /= part;
        // mkdir applies the umask, which can only take bits away; chmod then sets the exact mode.
        if (mkdir(at.c_str(), mode) == 0) {
            if (chmod(at.c_str(), mode) != 0) {
                error = fmt::format("chmod {}: {}", at.native(), std::strerror(errno));
                return false;
            }
            continue;
        }
        const int failure = errno;
        std::error_code ignored;
        if (failure != EEXIST || !std::filesystem::is_directory(at, ignored)) {
            error = fmt::format("mkdir {}: {}", at.native(), std::strerror(failure));
            return false;
        }
    }
    return true;
}

}  // namespace ostrel::host
