// A picture in memory: loaded from an embedded resource, a .bmp file or any image file the
// platform's codecs read, made from a raw device-independent pixel buffer, or created blank as
// a memory surface to draw into (DrawContext). Pixels are 24-bit; copies are cheap (shared
// until written). Scaling is half-tone: area-averaging when shrinking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/ui/Geometry.h"

namespace ui {

class Bitmap {
  public:
    Bitmap();  // the null bitmap
    Bitmap(int width, int height, Color fill = {});
    ~Bitmap();
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    // Resource (type "BITMAP", id); null when the program carries none.
    static Bitmap FromResource(uint16_t id);
    // A Windows bitmap file; null when the file is missing or not a bitmap file, whatever its
    // name says.
    static Bitmap LoadBmpFile(const std::wstring& path);
    // Any image file the platform reads (BMP, JPEG, PNG, GIF, ...) whose decoded picture takes
    // at most 1 GiB; null on failure.
    static Bitmap LoadImageFile(const std::wstring& path);
    // A bottom-up device-independent pixel buffer: rows of ((width * bitsPerPixel + 31) / 32) * 4
    // bytes, 24 bits (blue, green, red) or 32 bits (blue, green, red, unused) per pixel. Null when
    // a size is not positive, the depth is not 24 or 32, or the buffer is too short.
    static Bitmap FromDib(int width, int height, int bitsPerPixel,
                          std::span<const std::byte> pixels);

    bool IsNull() const;
    int Width() const;
    int Height() const;
    Size Dimensions() const { return {Width(), Height()}; }

    // The colour of one pixel (top-down coordinates); black outside the picture.
    Color Pixel(int x, int y) const;
    // Row `y` (top-down) as width * 3 bytes of blue, green, red, without padding.
    std::span<const std::byte> Row24(int y) const;
    // A copy scaled to width x height with half-tone stretching.
    Bitmap Stretched(int width, int height) const;
    // Saves through the platform's codecs in the format the file name's extension names.
    bool SaveImageFile(const std::wstring& path) const;

    struct Data;
    const Data& Internal() const { return *mData; }
    Data& Internal();

  private:
    std::shared_ptr<Data> mData;
};

}  // namespace ui
