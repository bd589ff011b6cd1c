// Shared by the archive tests: pictures as the camera saves them, the archive's registry key,
// queued items.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "archive/ArchiveItem.h"

namespace archivetest {

// A bottom-up 24-bit BMP of `width` x `height` whose pixels depend on `seed`.
std::string Bitmap(int width, int height, int seed);

// Writes the program folder's registry.reg with the archive key (and nothing else).
void WriteArchiveRegistry(const std::string& host, uint16_t port, const std::string& calledAe,
                          const std::string& callingAe = "SORVANTI");

// An item of patient `serial` for capture `capture`, its session the capture itself.
ArchiveItem Item(int32_t serial, const std::string& capture);

// Puts a picture of `item` where filing puts it, below the current program folder.
void FilePicture(const ArchiveItem& item, int width = 64, int height = 48);

}  // namespace archivetest
