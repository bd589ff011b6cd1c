// The verified copy of a capture's file.
#include "camera/CaptureFileCopy.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "utility/files/FileHandle.h"
#include "utility/files/TempFile.h"

namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// Reads up to `buffer.size()` bytes, going on after interruptions; -1 on an error.
ssize_t ReadChunk(int fd, std::vector<char>& buffer) {
    for (;;) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

utility::UniqueFd OpenRegular(const std::filesystem::path& path, struct stat& status) {
    // O_NONBLOCK: a FIFO must not stall the filing (it is refused as not regular).
    utility::UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!file.Valid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return utility::UniqueFd();
    }
    return file;
}

bool SameContent(int first, int second) {
    std::vector<char> a(kChunkBytes);
    std::vector<char> b(kChunkBytes);
    for (;;) {
        const ssize_t countA = ReadChunk(first, a);
        const ssize_t countB = ReadChunk(second, b);
        if (countA < 0 || countA != countB) {
            return false;
        }
        if (countA == 0) {
            return true;
        }
        if (!std::equal(a.begin(), a.begin() + countA, b.begin())) {
            return false;
        }
    }
}

// Whether the file at `to` is the same as the open source (read from its start).
bool AlreadyThere(int source, const struct stat& sourceStatus, const std::filesystem::path& to) {
    struct stat targetStatus;
    utility::UniqueFd target = OpenRegular(to, targetStatus);
    return target.Valid() && targetStatus.st_size == sourceStatus.st_size &&
           SameContent(source, target.Get());
}

}  // namespace

bool CopyCaptureFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat source;
    utility::UniqueFd input = OpenRegular(from, source);
    if (!input.Valid()) {
        return false;
    }
    struct stat existing;
    if (::lstat(to.c_str(), &existing) == 0) {
        return AlreadyThere(input.Get(), source, to);
    }
    utility::TempFile output(to);
    if (!output.Valid()) {
        return false;
    }
    std::vector<char> buffer(kChunkBytes);
    off_t copied = 0;
    for (;;) {
        const ssize_t count = ReadChunk(input.Get(), buffer);
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        if (!utility::WriteAll(output.Handle(), std::string_view(buffer.data(), count))) {
            return false;
        }
        copied += count;
    }
    // A source that changed size while it was read was not copied completely.
    if (copied != source.st_size || !output.Commit(utility::TempFile::Placement::kKeepExisting)) {
        return false;
    }
    struct stat placed;
    return ::stat(to.c_str(), &placed) == 0 && placed.st_size == source.st_size;
}
