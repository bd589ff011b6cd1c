// The folders of the runtime directory, created with the mode the daemon gives them itself: an
// inherited umask neither widens nor narrows it. Their group is the daemon's (the installed unit
// runs it with the device group), so members of that group reach the sockets inside.
#pragma once

#include <filesystem>
#include <string>

namespace ostrel::host {

inline constexpr unsigned kFolderMode = 0750;

// Creates `folder` and any missing parent with exactly `mode`; folders that already exist keep
// theirs. False with `error` naming the failed call when a folder cannot be created.
bool CreateFolders(const std::filesystem::path& folder, unsigned mode, std::string& error);

}  // namespace ostrel::host
