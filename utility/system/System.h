// Process, registry, COM and thread helpers: starting the component model, starting other
// programs and command texts (never through a shell), reading a string from the machine-wide
// registry, and starting detached threads. Nothing here shows a message or writes the log.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Window.h"

// Prepares the component model for the calling thread. This platform has none to prepare, so
// it always succeeds (true).
bool UTILITY_InitCom();
// The matching shutdown; nothing to do here.
void UTILITY_UninitCom();

// Starts the program of `commandLine` (split with the platform's command-line quoting, see
// platform/sys/CommandLine.h; the program is looked up in PATH) in a session of its own, with
// our environment and folder. With a timeout above 0, waits for it to end, at most that many
// milliseconds; it keeps running if it does not. Non-zero when the process was started.
int32_t UTILITY_RunProgram(std::wstring& commandLine, int32_t timeoutMilliseconds);

// Runs a command text through the program's own command interpreter
// (platform/sys/CommandInterpreter.h): "start ..." returns at once, anything else once its
// program has ended. Failures are not reported.
void UTILITY_RunCommand(const std::wstring& command);

// Reads the string value `valueName` of key `keyPath` below HKEY_LOCAL_MACHINE (the registry
// file, platform/sys/Registry.h). true and the text when the value exists and has at most 129
// characters; false otherwise, leaving `value` unchanged.
bool UTILITY_GetRegistryKeyString(const std::wstring& keyPath, const std::wstring& valueName,
                                  std::wstring& value);

// A thread routine; its result is not used.
using UTILITY_ThreadRoutine = uint32_t (*)(void* parameter);
// Runs `routine(parameter)` on a new detached thread; nobody joins it. The caller must make
// sure that what the routine uses outlives it. Creation failures are not detected.
void UTILITY_StartThread(UTILITY_ThreadRoutine routine, void* parameter);

// Hide or show `window` without waiting for the user-interface thread to act on it: the
// request is queued to that thread (windows are only touched there). Any thread.
void UTILITY_HideWindowInThread(ui::Window* window);
void UTILITY_ShowWindowInThread(ui::Window* window);
