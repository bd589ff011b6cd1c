// Copying a folder tree file by file, each file through a temporary name.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "platform/text/Text.h"
#include "utility/files/FileHandle.h"
#include "utility/files/Files.h"
#include "utility/files/TempFile.h"

namespace {

namespace fs = std::filesystem;

// Copies the regular file `from` to `to` through a temporary file beside `to`, replacing what
// is there only once the copy is complete and on the disk. The copy keeps the permission bits.
bool CopyFileReplacing(const fs::path& from, const fs::path& to) {
    // O_NONBLOCK: a FIFO in the tree must not stall the copy (it is then refused below).
    utility::UniqueFd input(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat source;
    if (!input.Valid() || ::fstat(input.Get(), &source) != 0 || !S_ISREG(source.st_mode)) {
        return false;
    }
    utility::TempFile output(to);
    if (!output.Valid()) {
        return false;
    }
    ::fchmod(output.Handle(), source.st_mode & 0777);
    std::vector<char> buffer(1 << 16);
    off_t copied = 0;
    for (;;) {
        const ssize_t count = ::read(input.Get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        const std::string_view chunk(buffer.data(), static_cast<std::size_t>(count));
        if (!utility::WriteAll(output.Handle(), chunk)) {
            return false;
        }
        copied += count;
    }
    // A file that changed size while it was read was not copied completely.
    return copied == source.st_size && output.Commit(utility::TempFile::Placement::kReplace);
}

// The folder without trailing separators; the root stays "/".
fs::path FolderPath(const std::wstring& folder) {
    const auto end = folder.find_last_not_of(L'/');
    return text::ToPath(end == std::wstring::npos ? folder.substr(0, 1)
                                                  : folder.substr(0, end + 1));
}

void CopyTree(const fs::path& source, const fs::path& destination,
              std::vector<std::wstring>& failed) {
    std::error_code error;
    fs::directory_iterator entry(source, error);
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        const fs::path target = destination / entry->path().filename();
        std::error_code typeError;
        if (entry->is_directory(typeError) && !entry->is_symlink(typeError)) {
            fs::create_directory(target, typeError);
            CopyTree(entry->path(), target, failed);
        } else if (!CopyFileReplacing(entry->path(), target)) {
            failed.push_back(text::FromPath(entry->path()));
        }
    }
    if (error) {
        failed.push_back(text::FromPath(source));
    }
}

}  // namespace

bool UTILITY_CopyFolder(const std::wstring& source, const std::wstring& destination) {
    std::vector<std::wstring> failed;
    return UTILITY_CopyFolder(source, destination, failed);
}

bool UTILITY_CopyFolder(const std::wstring& source, const std::wstring& destination,
                        std::vector<std::wstring>& failed) {
    const fs::path from = FolderPath(source);
    std::error_code error;
    if (!fs::exists(from, error)) {
        if (error) {
            failed.push_back(source);
        }
        return !error;
    }
    const std::size_t failuresBefore = failed.size();
    CopyTree(from, FolderPath(destination), failed);
    return failed.size() == failuresBefore;
}
