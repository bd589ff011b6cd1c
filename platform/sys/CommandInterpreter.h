// The command interpreter of the program's command texts. A text is split into arguments
// (CommandLine.h) and run directly, never through a shell, so quotes, '$', '`', ';', '%' and the
// like in a path are only characters of that path:
//
//   start ["title"] program [arguments...]   starts the program detached and returns at once
//   program [arguments...]                   starts the program and waits until it ends
//
// A quoted first argument after "start" is a window title and is skipped. Program names are
// mapped to this desktop's programs first: "wmplayer" (any case, with or without ".exe") is the
// desktop's default opener for media files, xdg-open. Thread-safe.
#pragma once

#include <string>
#include <string_view>

namespace sys {

// Runs `command`; true when its program was started.
bool RunCommandText(std::wstring_view command);

namespace testing {

// Maps program name `alias` (compared without case) to `program` until ResetProgramAliases();
// for tests, which put a recording script in place of the desktop's programs.
void SetProgramAlias(const std::wstring& alias, const std::wstring& program);
void ResetProgramAliases();

}  // namespace testing
}  // namespace sys
