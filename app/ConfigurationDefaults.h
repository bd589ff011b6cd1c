// The application's configuration file callbacks: the default content of Sorvanti.ini and the
// version test that replaces a file of another version. The main window hands both to
// UTILITY_OpenOrCreateFile at start-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The program version, shown in the main window's title and packed into the configuration
// file's Version entry.
inline constexpr int kProgramVersionMajor = 3;
inline constexpr int kProgramVersionMinor = 36;

// The configuration format version: major in the high byte, minor in the low byte (0x0324).
inline constexpr uint16_t CONFIGURATION_VERSION =
    static_cast<uint16_t>((kProgramVersionMajor << 8) | kProgramVersionMinor);

// Writes the 17 default lines, each with CR LF, to `file`: the Version entry and every camera
// key with its "not stored yet" value (all ones) between the begin and end markers. The owner,
// context and path are not used. Returns false when a line could not be written in full.
bool WriteDefaultConfiguration(void* owner, void* context, std::size_t contextSize,
                               const std::wstring& path, int file);

// Replaces the file at `path` by the default content when it was read and its Version entry is
// missing or not CONFIGURATION_VERSION; stored settings are not carried over. A missing file,
// or one that cannot be read, is left alone. The replacement is written beside the file and
// renamed over it, under the configuration lock, so it is never half-written: when the
// defaults cannot all be written (a full disk), the old file stays byte for byte.
void CheckConfigurationVersion(void* owner, void* context, std::size_t contextSize,
                               const std::wstring& path);
