// The configuration file: a small text file of the program's own format (8-bit lines ending in
// CR LF, one "<key> : 0x<hex digits>" entry per line between "=Begin Of Configuration=" and
// "=End Of Configuration="), read and updated one key at a time. Every operation opens, reads
// or replaces, and closes the file; nothing is cached between calls.
//
// Safety: an update never truncates the file in place. It writes the new content to a
// temporary file in the same folder, syncs it and renames it over the old one, so a crash or a
// full disk leaves the old file whole. Reads and updates are serialised within the process and
// across running instances (see ConfigurationFileLock.h). Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace utility {

// Writes a new file's default content to `file` (an open descriptor). `path` is the file's
// final path; owner and context are passed through from UTILITY_OpenOrCreateFile. Returns
// false when any line could not be written (the file is then not put in place).
using DefaultWriter = bool (*)(void* owner, void* context, std::size_t contextSize,
                               const std::wstring& path, int file);
// Checks an existing file and replaces it if it is not acceptable.
using Validator = void (*)(void* owner, void* context, std::size_t contextSize,
                           const std::wstring& path);

}  // namespace utility

// Readers: true when the key's line was found and its value (at most 2, 4 or 8 hex digits,
// either case) scanned into `value`. false when the file is missing or unreadable, the key is
// absent, stands only after the end marker or on the begin marker's line, or its first line
// does not scan as "<key> : 0x<digits>" from the line's start; `value` is then unchanged.
bool UTILITY_ReadConfigByte(const std::wstring& path, const std::string& key, uint8_t& value);
bool UTILITY_ReadConfigWord(const std::wstring& path, const std::string& key, uint16_t& value);
bool UTILITY_ReadConfigDword(const std::wstring& path, const std::string& key, int32_t& value);

// Updaters: replace every line before the end marker that contains "<key> : 0x" by that text
// and the value in exactly 2, 4 or 8 lower-case hex digits (a 32-bit value as its two's
// complement), write every line trimmed with CR LF, and drop bytes after the last line feed.
// true when at least one line was replaced and the file rewritten. false, leaving the file
// byte for byte, when it is missing or unreadable, holds no such line (keys are never added),
// holds a line over 259 bytes or more than 256 lines, or cannot be rewritten.
bool UTILITY_WriteConfigByte(const std::wstring& path, const std::string& key, uint8_t value);
bool UTILITY_WriteConfigWord(const std::wstring& path, const std::string& key, uint16_t value);
bool UTILITY_WriteConfigDword(const std::wstring& path, const std::string& key, int32_t value);

// Removes leading blanks and carriage returns from the zero-terminated `line`, overwrites its
// trailing ones with zero bytes, and returns the first kept character. Tabs stay.
char* UTILITY_TrimLine(char* line);

// Writes `line` and CR LF to the open descriptor `file`; an empty line writes nothing. Returns
// false when `file` is -1 or the bytes could not all be written (a full disk), so that a writer
// of a whole file can refuse to put a cut file in place.
bool UTILITY_WriteLine(int file, std::string_view line);

// Prepares a file at start-up: when no file exists at `path`, creates it with the content
// `writeDefaults` writes (placed in one step, so no other reader sees it half-written, and only
// when every line was written: after a failed write no file is placed); then,
// in every case, calls `validate`. An existing file that cannot be opened is left alone. Both
// callbacks run under the configuration lock.
void UTILITY_OpenOrCreateFile(void* owner, void* context, std::size_t contextSize,
                              const std::wstring& path, utility::DefaultWriter writeDefaults,
                              utility::Validator validate);
