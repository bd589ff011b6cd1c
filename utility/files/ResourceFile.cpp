// Writing an embedded resource out to a file that does not exist yet.
#include <errno.h>
#include <sys/stat.h>

#include "platform/fs/Resources.h"
#include "platform/text/Text.h"
#include "utility/files/Files.h"
#include "utility/files/TempFile.h"

bool UTILITY_ExtractResourceToFile(uint16_t id, const std::wstring& type,
                                   const std::wstring& path) {
    const auto bytes = resources::Find(text::ToUtf8(type), id);
    if (!bytes) {
        return false;
    }
    const std::filesystem::path target = text::ToPath(path);
    // Existence is tested without opening the file: a file that exists but cannot be opened
    // (permissions, a passing I/O error) must still count as existing.
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0) {
        return true;
    }
    if (errno != ENOENT) {
        return false;
    }
    utility::TempFile file(target);
    return file.Valid() &&
           utility::WriteAll(
               file.Handle(),
               std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())) &&
           file.Commit(utility::TempFile::Placement::kKeepExisting);
}
