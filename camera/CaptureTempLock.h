// The lock that makes the shared Temp folders belong to one camera window at a time: an
// exclusive advisory lock (flock) on the file database/Temp.lock, held for the life of a
// capture-mode camera window. Temp is cleared only under it, so a second instance of the program
// can neither clear nor mix into the captures of a window that is open.
//
// The file also records whose captures Temp holds: the patient's serial while a window for them
// is open, nothing once the window has ended properly. A serial found when the lock is taken is
// therefore the patient of a session that ended without closing its window (the process was
// killed or the machine lost power), whose captures are still in Temp.
//
// The lock goes with its descriptor: released on Release(), destruction, or when the process
// ends in any way. One thread at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "utility/files/FileHandle.h"

class CaptureTempLock {
  public:
    explicit CaptureTempLock(const std::wstring& programFolder);

    // Takes the lock without waiting (creating the database folder and the file when missing);
    // false when another window holds it, in this process or another, or it cannot be opened.
    bool Acquire();
    bool Held() const { return mFile.Valid(); }
    // The patient of a session that ended without closing its window, read when the lock was
    // taken; nullopt when the last session ended properly (or the file holds no serial).
    std::optional<int32_t> InterruptedSerialNumber() const { return mInterrupted; }

    // Records that a window for patient `customerSerialNumber` now has Temp; false when the file
    // could not be written.
    bool MarkRunning(int32_t customerSerialNumber);
    // Records that the window ended properly.
    void MarkEnded();
    void Release();

  private:
    bool Write(const std::string& content);

    std::string mPath;
    utility::UniqueFd mFile;
    std::optional<int32_t> mInterrupted;
};
