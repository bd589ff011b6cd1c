// Naming a new capture: the kind letter, the local time and the window's running digit, with
// any digit skipped whose name is already taken by a picture or clip in the given folders (the
// Temp folders and the patient's), so that a clock set back never gives a new capture the name
// of one already stored.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Folders ending in a separator where a name counts as taken: a picture "<name>.bmp" in one of
// `pictureFolders` or a clip "<name>.avi" in one of `clipFolders`; and the workstation tag the
// names carry (empty on a single workstation; see media/MediaLayout.h).
struct CaptureNameFolders {
    std::vector<std::wstring> pictureFolders;
    std::vector<std::wstring> clipFolders;
    std::wstring workstationTag;
};

enum class CaptureKind { kStill, kClip };

// The next name (without extension) for `kind` at `localTime`: the running `counter` advances
// (modulo 10, so the first name of a window ends in 1) past every digit whose name is taken.
// When all ten are taken, the first digit tried is used.
std::wstring NextCaptureName(CaptureKind kind, const std::tm& localTime, int& counter,
                             const CaptureNameFolders& folders);
