// File and folder helpers: the program folder, placing an embedded resource, copying and
// deleting folder trees, testing for a file, stepping through the captures of a folder, cutting
// names out of paths, date strings and short number texts. Paths are wide strings with '/' as
// the separator. Nothing here shows a message. Thread-safe.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The folder of the running program, without a trailing separator.
void UTILITY_GetModuleFolder(std::wstring& folder);

// Places the embedded resource (`type`, `id`) at `path` unless a file of that name exists. The
// existing entry is tested without opening it, and the new file is written under a temporary
// name and linked into place only if the name is still free, so an existing file (or one that
// exists but cannot be read) is never truncated or replaced. true when a file is at `path`
// afterwards (placed now or already there); false when the program has no such resource, the
// path cannot be examined, or writing failed (nothing is then left at `path`).
bool UTILITY_ExtractResourceToFile(uint16_t id, const std::wstring& type, const std::wstring& path);

// Copies the files below `source` into the existing folder `destination`, creating sub-folders
// as needed and overwriting files there. Each file is written under a temporary name, synced
// and renamed into place, so a failed copy never damages an existing file at the destination.
// A failure does not stop the copy. Returns true when every file was copied completely (also
// when `source` does not exist); otherwise false, and the second form adds to `failed` the
// source path of every file that was not copied and of every folder that could not be listed.
// Symbolic links to files are copied as files; links to folders are not followed and count as
// failures.
bool UTILITY_CopyFolder(const std::wstring& source, const std::wstring& destination);
bool UTILITY_CopyFolder(const std::wstring& source, const std::wstring& destination,
                        std::vector<std::wstring>& failed);

// Deletes `folder` with everything in it, going on past single failures. Symbolic links inside
// the tree, and `folder` itself if it is one, are deleted as links and never followed. Returns
// whether the folder is gone (true when it did not exist); false leaves what could not be
// deleted. A path naming a file that is not a folder is left alone (false).
bool UTILITY_DeleteFolder(const std::wstring& folder);

// Whether `path` can be opened for reading; a folder counts.
bool UTILITY_FileExists(const std::wstring& path);

namespace utility {

// The names of the files of `folder` (sub-folders left out) in the one order every listing and
// every walk of captures uses: ascending without regard to ASCII case, names that differ only
// in case by their bytes. Empty when the folder is missing or cannot be listed.
std::vector<std::wstring> SortedFileNames(const std::wstring& folder);

}  // namespace utility

// Step through the captures of `folder`: its file names in the order of
// utility::SortedFileNames; capture names are those holding an upper-case 'P' or
// 'V'. Names are compared with `current` exactly. Next gives the first capture name after
// `current`, or empty when there is none or `current` is not in the folder. Previous gives the
// last capture name before `current`, empty when there is none, or the folder's last capture
// name when `current` is not in the folder.
void UTILITY_GetNextFileName(const std::wstring& folder, const std::wstring& current,
                             std::wstring& next);
void UTILITY_GetPrevFileName(const std::wstring& folder, const std::wstring& current,
                             std::wstring& previous);

// The text between the last '/' and the last '.' ("/a/P1603071.bmp" gives "P1603071"); empty
// without a dot or when the last dot comes before the last '/'.
void UTILITY_GetFileTitle(const std::wstring& path, std::wstring& title);
// Everything before the last dot; empty when the name has no dot.
void UTILITY_RemoveExtension(const std::wstring& name, std::wstring& stem);
// The last component of `folder`, after trailing separators are removed.
void UTILITY_GetLastFolderName(const std::wstring& folder, std::wstring& name);

// "3/7/2016": month, day and four-digit year without leading zeros, of now or of `time`.
void UTILITY_GetDateString(std::wstring& text);
void UTILITY_GetDateString(const std::tm& time, std::wstring& text);
// "03072016:140505": month, day, four-digit year, hour, minute and second, of now or of `time`.
void UTILITY_GetDateTimeString(std::wstring& text);
void UTILITY_GetDateTimeString(const std::tm& time, std::wstring& text);

// Decimal text of 1 to 8 characters to its value, a non-digit counting as 0 in its place
// ("12a4" gives 1204); empty or longer texts give 0.
int32_t UTILITY_DecStringToInt(const std::wstring& text);
// Hexadecimal text of at most 8 characters, either case, to its value, a non-hex character
// counting as 0 in its place ("ffff" gives 65535); longer texts give 0.
int32_t UTILITY_HexStringToInt(const std::wstring& text);

// Converts the 8-bit text up to its first zero byte (or all of `text` if it has none), each
// byte to the character of the same value. Never reads beyond `text`. Returns 0, the
// conversion's error code: every byte converts.
int32_t UTILITY_MultiByteToWide(std::wstring& wide, std::string_view text);
