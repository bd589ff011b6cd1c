// A new file written under a temporary name in its target's folder and then put in place in one
// step, so that readers and a crash see either the old state or the complete new file, never a
// partial one.
#pragma once

#include <filesystem>

#include "utility/files/FileHandle.h"

namespace utility {

class TempFile {
  public:
    enum class Placement {
        kReplace,       // rename over the target, whatever is there
        kKeepExisting,  // place only if no file of the target's name exists; never replace one
    };

    // Creates an empty temporary file beside `target` (mode 0666 less the umask). Its name,
    // ".sorvanti-<pid>-<n>.tmp", is hidden and never counts as a capture name.
    explicit TempFile(const std::filesystem::path& target);
    // Removes the temporary file unless Commit() put it in place.
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Whether the temporary file was created; Handle() is -1 otherwise.
    bool Valid() const { return mFile.Valid(); }
    int Handle() const { return mFile.Get(); }

    // Flushes the content to the disk, closes it and puts it at the target; then syncs the
    // folder so that the new name survives a crash. false when any step before the placement
    // fails or the placement itself fails; the target is then as it was.
    bool Commit(Placement placement);

  private:
    std::filesystem::path mTarget;
    std::filesystem::path mPath;
    UniqueFd mFile;
    bool mPending = false;  // the temporary name still exists on disk
};

}  // namespace utility
