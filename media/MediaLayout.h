// The folder tree below the program folder and the naming of captures: the one statement of
// these rules that the record store, the windows and the capture store follow.
//
//   program/Sorvanti.ini, program/Sorvanti_LOG.ini
//   program/database/medical_record_access.mdb
//   program/database/id_photo/<serial>.bmp, TempIdPhoto.bmp
//   program/database/Temp/{images/, images/thumbnail/, videos/}     not yet filed captures
//   program/database/<serial>/{images/, images/thumbnail/, videos/} a patient's captures
//
// Workstations sharing a media folder (records/DatabaseSettings.h) keep database/<serial>/ and
// database/id_photo/<serial>.bmp below that folder instead; the functions below take it in
// place of the program folder. Temp stays below each workstation's program folder.
//
// A capture's name is "P" (still) or "V" (clip and its poster) + local time "%y%m%d%H%M%S" +
// one running digit; it is the PHOTO_NAME of its row and the title of its picture (.bmp), its
// thumbnail (.bmp, same name in images/thumbnail) and its clip (.avi).
//
// Workstations that share one media tree (a DataFolder) put their workstation tag between the
// time and the digit: "P" + time + tag + digit, e.g. "P151231184507ws21" for tag "ws2". Two
// workstations then never choose the same name in the same second. The tag keeps every reading
// of a name: lower-case only (the upper-case "P" and "V" alone mark media and videos), the name
// still ends in the digit (the row's name strips trailing '.', 'b', 'm', 'p' from the file
// name), the twelve time digits still follow the letter, and a letter begins the tag, so no
// tagged name is read as a longer run of digits. A single workstation uses no tag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace media {

inline constexpr wchar_t kDatabaseFolder[] = L"database";
inline constexpr wchar_t kIdPhotoFolder[] = L"id_photo";
inline constexpr wchar_t kTempFolder[] = L"Temp";
inline constexpr wchar_t kDatabaseFileName[] = L"medical_record_access.mdb";
inline constexpr wchar_t kTempIdPhotoFileName[] = L"TempIdPhoto.bmp";
inline constexpr wchar_t kPictureExtension[] = L".bmp";
// One spelling everywhere: the file system compares names with case.
inline constexpr wchar_t kClipExtension[] = L".avi";

// A patient's folders, each ending in a separator: "%s/%s/%d/images/" and so on with the
// program folder, "database" and the serial in plain decimal.
std::wstring PatientImagesFolder(const std::wstring& programFolder, int32_t serialNumber);
std::wstring PatientVideosFolder(const std::wstring& programFolder, int32_t serialNumber);
std::wstring PatientThumbnailFolder(const std::wstring& programFolder, int32_t serialNumber);
// The patient's whole folder, for deletion: "%s/%s/%d", no trailing separator.
std::wstring PatientFolder(const std::wstring& programFolder, int32_t serialNumber);
// The identity photo: "%s/%s/%s/%d.bmp".
std::wstring IdPhotoPath(const std::wstring& programFolder, int32_t serialNumber);

// The shared Temp folders of not yet filed captures, each ending in a separator.
std::wstring TempImagesFolder(const std::wstring& programFolder);
std::wstring TempVideosFolder(const std::wstring& programFolder);
std::wstring TempThumbnailFolder(const std::wstring& programFolder);

// The filing targets, built from the serial as text: "%s/database/%s/images/", ".../videos/".
std::wstring CommitImagesFolder(const std::wstring& programFolder, const std::wstring& serialText);
std::wstring CommitVideosFolder(const std::wstring& programFolder, const std::wstring& serialText);

// Capture names without extension: "P" or "V", the local time, the workstation tag (empty on a
// single workstation), the digit (0-9).
std::wstring StillName(const std::tm& localTime, int digit, std::wstring_view tag = {});
std::wstring ClipName(const std::tm& localTime, int digit, std::wstring_view tag = {});

inline constexpr std::size_t kWorkstationTagLength = 8;
// The workstation tag made from a workstation's name (a host name or the registry's
// "Workstation"): the part before the first '.', ASCII letters lower-cased, everything but
// [a-z0-9] dropped; a "w" put in front when it would not begin with a letter ("ws" when nothing
// is left); longer than kWorkstationTagLength, its first letter and its last characters are
// kept, since names of one clinic's workstations tend to differ at their ends
// ("Surgery-Room-12" gives "syroom12").
std::wstring WorkstationTag(std::wstring_view workstationName);
// Advances a window's running counter modulo 10 and returns the digit to use: a counter that
// starts at 0 gives 1, 2, ... 9, 0, 1.
int NextRunningDigit(int& counter);

// A file of an images or thumbnail folder counts as media when its name contains an
// upper-case "P" or "V" anywhere.
bool CountsAsMedia(std::wstring_view fileName);
// The review windows take a name that contains an upper-case "V" for a video.
bool IsVideoName(std::wstring_view name);
// The capture store takes a name that begins with "V" for a video.
bool BeginsAsVideo(std::wstring_view name);

}  // namespace media
