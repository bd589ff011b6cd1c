// Copying one file of a capture into a patient's folder so that it can be trusted: the copy is
// written under a temporary name, checked to hold every byte of the source, synced to the disk
// and only then given its name. A file of the same name already at the target is never
// replaced: an identical one counts as arrived (a filing that is tried again), a different one
// refuses the copy.
#pragma once

#include <filesystem>

// true when `to` holds exactly the bytes of the regular file `from` afterwards.
bool CopyCaptureFile(const std::filesystem::path& from, const std::filesystem::path& to);
