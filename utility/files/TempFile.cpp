// Temporary files beside their target, placed by rename or by link.
#include "utility/files/TempFile.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>

#include "platform/text/Format.h"

namespace utility {
namespace {

std::atomic<unsigned> gSequence{0};

// Makes a completed rename or link durable. The placement has happened by then and cannot be
// undone, so a failure here is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    UniqueFd handle(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Valid()) {
        ::fsync(handle.Get());
    }
}

}  // namespace

TempFile::TempFile(const std::filesystem::path& target) : mTarget(target) {
    // A name left behind by a crashed run of the same process id is skipped, not reused.
    for (int attempt = 0; attempt < 100; ++attempt) {
        mPath = target.parent_path() /
                text::sprintf(".sorvanti-%d-%u.tmp", static_cast<int>(::getpid()), gSequence++);
        mFile.Reset(::open(mPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (mFile.Valid() || errno != EEXIST) {
            break;
        }
    }
    mPending = mFile.Valid();
}

TempFile::~TempFile() {
    if (mPending) {
        ::unlink(mPath.c_str());
    }
}

bool TempFile::Commit(Placement placement) {
    if (!mFile.Valid() || ::fsync(mFile.Get()) != 0 || !mFile.Close()) {
        return false;
    }
    bool placed = false;
    if (placement == Placement::kReplace) {
        placed = ::rename(mPath.c_str(), mTarget.c_str()) == 0;
        mPending = !placed;
    } else {
        // link() fails with EEXIST when any entry of that name exists, even a dangling link.
        placed = ::link(mPath.c_str(), mTarget.c_str()) == 0;
        ::unlink(mPath.c_str());
        mPending = false;
    }
    if (placed) {
        SyncFolder(mTarget.parent_path());
    }
    return placed;
}

}  // namespace utility
