// Handing a picture to the desktop mail client: the client is started with a command line that
// opens a new message with the picture attached, and the rest is left to the operator.
#pragma once

#include <string>

// Starts the mail client found through the registry value "Path" of HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE" (the folder of a program
// named OUTLOOK.EXE, ending in '/') with
//
//   "<Path>OUTLOOK.EXE" /c ipm.note /m "<address>&subject=<subject>&body=<body>" /a "<file>"
//
// where the /a part is left out when `attachedFilePath` cannot be opened. Each value reaches the
// client as one argument whatever it holds: quotes and backslashes in it are escaped for the
// command-line splitter, and '%' and '&' in address, subject and body are sent as %25 and %26,
// as in a mail link. Every step is written to the diagnostic log, with the values as given.
// Waits up to 6000 ms for the client's process to end. true when the process was started, ended
// or not; false when "Path" is missing or empty or the program cannot be started.
// UI thread (it blocks while it waits).
bool UTILITY_OutlookSendMail2(std::wstring address, std::wstring subject, std::wstring body,
                              std::wstring attachedFilePath);
