// The configuration file's line helpers and its preparation at start-up.
#include <errno.h>
#include <fcntl.h>

#include <algorithm>

#include "platform/text/Text.h"
#include "utility/files/Configuration.h"
#include "utility/files/ConfigurationFileLock.h"
#include "utility/files/ConfigurationLines.h"
#include "utility/files/TempFile.h"

char* UTILITY_TrimLine(char* line) {
    const std::string_view whole(line);
    const std::string_view kept = utility::TrimmedView(whole);
    char* first = line + (kept.data() - whole.data());
    std::fill(first + kept.size(), line + whole.size(), '\0');
    return first;
}

bool UTILITY_WriteLine(int file, std::string_view line) {
    if (file < 0) {
        return false;
    }
    if (line.empty()) {
        return true;
    }
    std::string bytes(line);
    bytes += "\r\n";
    return utility::WriteAll(file, bytes);
}

void UTILITY_OpenOrCreateFile(void* owner, void* context, std::size_t contextSize,
                              const std::wstring& path, utility::DefaultWriter writeDefaults,
                              utility::Validator validate) {
    utility::ConfigurationFileLock lock(path, utility::ConfigurationFileLock::Mode::kExclusive);
    const std::filesystem::path target = text::ToPath(path);
    utility::UniqueFd existing(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    // Only a file that is not there is created; one that is there but cannot be opened stays.
    if (!existing.Valid() && errno == ENOENT) {
        utility::TempFile created(target);
        // A cut file would carry the version line and pass every later check, so only a
        // complete one is placed; otherwise the program runs on its built-in defaults.
        if (created.Valid() && writeDefaults(owner, context, contextSize, path, created.Handle())) {
            created.Commit(utility::TempFile::Placement::kKeepExisting);
        }
    }
    existing.Reset();
    validate(owner, context, contextSize, path);
}
