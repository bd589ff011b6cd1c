// Bitmap files and bitmaps: saving a picture as a 24-bit .bmp file (as it is, or scaled as for
// thumbnails), making a picture from a raw pixel buffer, loading a .bmp file, and picture
// sizes. UI thread (the pictures are the window layer's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Window.h"

// Writes `bitmap` to `path` as an uncompressed bottom-up 24-bit .bmp file: a 14-byte file header,
// a 40-byte information header and rows padded to 4 bytes, 54 + row size x height bytes in all.
// The file is always 24-bit, whatever the display depth. true when the whole file was written
// and closed; on any failure (the file cannot be created, a write or the close fails) false, and
// a partly written file is removed.
bool UTILITY_SaveBitmapFile(const ui::Bitmap& bitmap, const std::wstring& path);

namespace utility {
// Writes `bitmap` in the .bmp layout of UTILITY_SaveBitmapFile to the open file `fd`: the
// headers, then the rows bottom-up, each padded with zeros to 4 bytes. false when a write fails.
bool WriteBmpFile(int fd, const ui::Bitmap& bitmap);
}  // namespace utility

// Stretches the area (0, 0, sourceWidth, sourceHeight) of `source` half-tone into a picture of
// targetWidth x targetHeight and saves it with UTILITY_SaveBitmapFile. `window` is not needed on
// this platform. Returns the save's result.
bool UTILITY_SaveScaledBitmapFile(ui::Window* window, const ui::Bitmap& source,
                                  const std::wstring& path, int32_t sourceWidth,
                                  int32_t sourceHeight, int32_t targetWidth, int32_t targetHeight);

// A picture from a bottom-up device-independent buffer of `size` bytes (rows padded to 4 bytes;
// 24 or 32 bits per pixel). The null bitmap when width, height or bits per pixel is 0, or the
// buffer is too short for the picture. `dc` is not needed on this platform.
ui::Bitmap UTILITY_CreateBitmapFromBuffer(ui::DrawContext* dc, int32_t width, int32_t height,
                                          int32_t bitsPerPixel, const std::byte* pixels,
                                          size_t size);

// The .bmp file at `path`; the null bitmap when it cannot be loaded as a bitmap file (missing,
// or another format whatever its name).
ui::Bitmap UTILITY_LoadBitmapFile(const std::wstring& path);

int32_t UTILITY_GetBitmapWidth(const ui::Bitmap& bitmap);
int32_t UTILITY_GetBitmapHeight(const ui::Bitmap& bitmap);
// The size of bitmap resource `id`; 0 x 0 when the program carries none.
void UTILITY_GetBitmapResourceSize(uint16_t id, int32_t& width, int32_t& height);
