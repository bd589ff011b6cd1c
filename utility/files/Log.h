// The diagnostic log: an append-only file of 8-bit text lines ending in CR LF. Each call opens
// the file, appends one line and closes it; failures are silent, since the log is diagnostic
// only. Text is converted by the "C" locale rule: a character up to U+00FF is the byte of the
// same value, and a line holding any character above it is written as an empty line. Lines
// have no length limit. Thread-safe: each line, text and CR LF together, is one append.
#pragma once

#include <ctime>
#include <string>

namespace utility {

// "<programFolder>/Sorvanti_LOG.ini", the diagnostic log's path.
std::wstring DiagnosticLogPath(const std::wstring& programFolder);

}  // namespace utility

// Opens the log for appending, creating it when it does not exist. Returns the descriptor, or
// -1 when the file can be neither opened nor created. The caller closes it.
int UTILITY_OpenLogFile(const std::wstring& path);

// Appends `line` and CR LF. An empty text writes nothing at all.
void UTILITY_WriteLogLine(const std::wstring& path, const std::wstring& line);

// Appends the local time as "%Y/%m/%d %H:%M:%S" (2016/03/07 14:05:05); the second form
// appends the given time.
void UTILITY_WriteLogTime(const std::wstring& path);
void UTILITY_WriteLogTime(const std::wstring& path, const std::tm& time);
