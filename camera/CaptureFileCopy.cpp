// The batch of verified copies.
#include "camera/CaptureFileCopy.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string_view>

#include "platform/text/Format.h"
#include "utility/files/FileHandle.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunkBytes = 1 << 16;
constexpr int kTemporaryNameAttempts = 1000;

std::atomic<unsigned> gSequence{0};

// Reads up to `buffer.size()` bytes, going on after interruptions; -1 on an error.
ssize_t ReadChunk(int fd, std::vector<char>& buffer) {
    for (;;) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

utility::UniqueFd OpenRegular(const fs::path& path, struct stat& status) {
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
bool AlreadyThere(int source, const struct stat& sourceStatus, const fs::path& to) {
    struct stat targetStatus;
    utility::UniqueFd target = OpenRegular(to, targetStatus);
    return target.Valid() && targetStatus.st_size == sourceStatus.st_size &&
           SameContent(source, target.Get());
}

// Copies everything `input` holds into `output`; the count of bytes, or -1 on an error.
off_t CopyBytes(int input, int output) {
    std::vector<char> buffer(kChunkBytes);
    off_t copied = 0;
    for (;;) {
        const ssize_t count = ReadChunk(input, buffer);
        if (count < 0) {
            return -1;
        }
        if (count == 0) {
            return copied;
        }
        if (!utility::WriteAll(output, std::string_view(buffer.data(), count))) {
            return -1;
        }
        copied += count;
    }
}

utility::UniqueFd OpenFolder(const fs::path& folder) {
    return utility::UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

}  // namespace

CaptureCopyBatch::~CaptureCopyBatch() {
    for (const Copy& copy : mCopies) {
        if (!copy.temporary.empty()) {
            ::unlink(copy.temporary.c_str());
        }
    }
}

int CaptureCopyBatch::Stage(const fs::path& from, const fs::path& to) {
    const int number = StageCopy(from, to);
    mStageFailed = mStageFailed || number < 0;
    return number;
}

int CaptureCopyBatch::StageCopy(const fs::path& from, const fs::path& to) {
    struct stat source;
    utility::UniqueFd input = OpenRegular(from, source);
    if (!input.Valid()) {
        return -1;
    }
    struct stat existing;
    if (::lstat(to.c_str(), &existing) == 0) {
        if (!AlreadyThere(input.Get(), source, to)) {
            return -1;
        }
        mCopies.push_back({{}, to, source.st_size, false});
        return static_cast<int>(mCopies.size()) - 1;
    }
    // A hidden name, never taken for a capture by any listing. Another workstation filing into
    // a shared folder may run under the same process id: a name it holds is passed over.
    fs::path temporary;
    utility::UniqueFd output;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !output.Valid(); ++attempt) {
        temporary = to.parent_path() / text::sprintf(".sorvanti-filing-%d-%u.tmp",
                                                     static_cast<int>(::getpid()), gSequence++);
        output = utility::UniqueFd(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (!output.Valid() && errno != EEXIST) {
            return -1;
        }
    }
    if (!output.Valid()) {
        return -1;
    }
    const off_t copied = CopyBytes(input.Get(), output.Get());
    // A source that changed size while it was read was not copied completely; a failed close
    // may be the file system's report of a failed write.
    if (copied != source.st_size || !output.Close()) {
        ::unlink(temporary.c_str());
        return -1;
    }
    mCopies.push_back({temporary, to, source.st_size, false});
    return static_cast<int>(mCopies.size()) - 1;
}

int CaptureCopyBatch::Adopt(const fs::path& temporary, const fs::path& to) {
    struct stat status;
    const off_t size = ::stat(temporary.c_str(), &status) == 0 ? status.st_size : -1;
    mCopies.push_back({temporary, to, size, true, false});
    return static_cast<int>(mCopies.size()) - 1;
}

void CaptureCopyBatch::Place(Copy& copy) {
    if (!copy.temporary.empty()) {
        // link() never replaces an entry that appeared meanwhile.
        const bool placed = ::link(copy.temporary.c_str(), copy.target.c_str()) == 0;
        ::unlink(copy.temporary.c_str());
        copy.temporary.clear();
        if (!placed) {
            return;
        }
    }
    struct stat placed;
    copy.arrived = ::stat(copy.target.c_str(), &placed) == 0 && placed.st_size == copy.size;
}

void CaptureCopyBatch::Commit() {
    std::set<fs::path> folders;
    for (const Copy& copy : mCopies) {
        folders.insert(copy.target.parent_path());
    }
    // One sync per file system makes every staged byte durable before any copy has its name.
    std::set<dev_t> fileSystems;
    for (const fs::path& folder : folders) {
        struct stat status;
        if (::stat(folder.c_str(), &status) == 0 && fileSystems.insert(status.st_dev).second) {
            if (const utility::UniqueFd handle = OpenFolder(folder); handle.Valid()) {
                ::syncfs(handle.Get());
            }
        }
    }
    bool allArrived = !mStageFailed;
    for (Copy& copy : mCopies) {
        if (!copy.adopted) {
            Place(copy);
            allArrived = allArrived && copy.arrived;
        }
    }
    for (Copy& copy : mCopies) {
        if (copy.adopted && allArrived) {
            Place(copy);
        }
    }
    // The new names survive a crash once their folders are synced.
    for (const fs::path& folder : folders) {
        if (const utility::UniqueFd handle = OpenFolder(folder); handle.Valid()) {
            ::fsync(handle.Get());
        }
    }
}

bool CaptureCopyBatch::Arrived(int number) const {
    return number >= 0 && number < static_cast<int>(mCopies.size()) && mCopies[number].arrived;
}
