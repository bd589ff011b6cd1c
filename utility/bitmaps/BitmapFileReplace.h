// Replacing a picture file so that it is never seen half-written.
#pragma once

#include <string>

#include "platform/ui/Bitmap.h"

// Writes `picture` as a 24-bit .bmp file under a unique temporary name in the folder of `path`,
// flushes it to the disk and renames it over `path`. true when the new file is in place; on any
// failure false, `path` keeps its old content (or stays absent) and the temporary file is gone.
bool ReplaceBitmapFile(const ui::Bitmap& picture, const std::wstring& path);
