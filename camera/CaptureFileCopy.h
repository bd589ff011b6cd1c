// Copying the files of captures into a patient's folders so that they can be trusted, in one
// batch: each file is written under a temporary name beside its target and checked to hold every
// byte of its source; one sync of the file systems then makes them all durable at once, before
// each gets its name and the folders are synced. A file of the same name already at a target is
// never replaced: an identical one counts as arrived (a filing that is tried again), a different
// one refuses the copy.
//
// A file someone else wrote for the batch (a record of what the batch files) can ride along: it
// is made durable by the same sync and named only when every copy arrived.
//
// One thread at a time. Temporary files that never got their name are removed with the batch.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CaptureCopyBatch {
  public:
    CaptureCopyBatch() = default;
    ~CaptureCopyBatch();
    CaptureCopyBatch(const CaptureCopyBatch&) = delete;
    CaptureCopyBatch& operator=(const CaptureCopyBatch&) = delete;

    // Copies the regular file `from` beside `to` under a temporary name. Returns the copy's
    // number, or -1 when it failed (the source could not be read whole, the target's folder
    // refused the bytes, or a different file is at `to`).
    int Stage(const std::filesystem::path& from, const std::filesystem::path& to);
    // Takes `temporary`, a file written completely but not flushed, into the batch, to be named
    // `to` (in the same folder) once every staged copy arrived. Returns its number.
    int Adopt(const std::filesystem::path& temporary, const std::filesystem::path& to);
    // Syncs the staged copies to the disk, gives each its name, then the adopted files theirs
    // when every copy arrived, and syncs their folders.
    void Commit();
    // After Commit: whether copy `number` is at its target with every byte of its source.
    bool Arrived(int number) const;

  private:
    struct Copy {
        std::filesystem::path temporary;  // empty when an identical file was already there
        std::filesystem::path target;
        off_t size = 0;
        bool adopted = false;
        bool arrived = false;
    };
    int StageCopy(const std::filesystem::path& from, const std::filesystem::path& to);
    // Gives a staged copy its name (never replacing) and checks it.
    static void Place(Copy& copy);

    std::vector<Copy> mCopies;
    bool mStageFailed = false;
};
