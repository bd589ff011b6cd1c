// Playing the clip of a video capture: the command "start wmplayer \"<clip>\"" handed to the
// program's command interpreter, which starts the desktop's media player detached with the
// clip's path as its one argument, never through a shell (platform/sys/CommandInterpreter.h).
#pragma once

#include <string>

// The clip of the capture whose picture is `picturePath`, when the picture's title holds an
// upper-case "V": `videoFolder` + title + ".avi" is handed to the player and true returned.
// For any other capture nothing happens (false). The player is not waited for.
bool PlayCaptureClip(const std::wstring& videoFolder, const std::wstring& picturePath);

// The command text that starts the player on `clipPath`. The path stands in quote marks;
// quotes and the backslashes before them are escaped as the interpreter's splitting rules
// want (platform/sys/CommandLine.h), so it reads the path back unchanged, whatever the name.
std::wstring PlayerCommand(const std::wstring& clipPath);
