// Serialises reads and updates of configuration files, within this process and across running
// instances of the program.
#pragma once

#include <mutex>
#include <string>

#include "utility/files/FileHandle.h"

namespace utility {

// Held around each read and around each read-change-replace of a configuration file.
//
// Within the process one mutex serialises every holder. Across processes the holder takes an
// advisory flock() on the file's folder: an update renames a new file over the old one, so a
// lock on the file itself would be taken on an inode that the next reader no longer opens,
// while the folder stays the same object for as long as the file lives in it. Readers share
// the folder lock, updaters hold it exclusively. If the folder cannot be opened or locked the
// operation goes ahead with the in-process mutex alone, and then fails on the file itself.
//
// Nesting on one thread is allowed and adds nothing: the outermost lock stays in force, so a
// read inside an update (the version test) neither deadlocks nor weakens the update's lock.
class ConfigurationFileLock {
  public:
    enum class Mode { kShared, kExclusive };

    ConfigurationFileLock(const std::wstring& file, Mode mode);
    ~ConfigurationFileLock();
    ConfigurationFileLock(const ConfigurationFileLock&) = delete;
    ConfigurationFileLock& operator=(const ConfigurationFileLock&) = delete;

  private:
    std::unique_lock<std::mutex> mProcessLock;
    UniqueFd mFolder;  // declared after the mutex: the flock goes before the mutex is released
};

}  // namespace utility
