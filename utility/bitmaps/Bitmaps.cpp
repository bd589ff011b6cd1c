// Saving, making and loading bitmaps.
#include "utility/bitmaps/Bitmaps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/text/Text.h"
#include "utility/files/FileHandle.h"

namespace {

// The file is written through a buffer of this many bytes (or one row, if that is longer), not
// assembled whole in memory: a still is 6 MB.
constexpr size_t kWriteChunkBytes = 64 * 1024;

void PutLittleEndian(char* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

namespace utility {

bool WriteBmpFile(int fd, const ui::Bitmap& bitmap) {
    const uint32_t width = static_cast<uint32_t>(bitmap.Width());
    const uint32_t height = static_cast<uint32_t>(bitmap.Height());
    const uint32_t rowSize = (width * 24 + 31) / 32 * 4;
    const uint32_t imageSize = rowSize * height;
    std::vector<char> buffer(std::max<size_t>(kWriteChunkBytes, 54 + rowSize));
    buffer[0] = 'B';
    buffer[1] = 'M';
    PutLittleEndian(&buffer[2], 54 + imageSize, 4);
    PutLittleEndian(&buffer[10], 54, 4);
    PutLittleEndian(&buffer[14], 40, 4);
    PutLittleEndian(&buffer[18], width, 4);
    PutLittleEndian(&buffer[22], height, 4);
    PutLittleEndian(&buffer[26], 1, 2);
    PutLittleEndian(&buffer[28], 24, 2);
    size_t used = 54;
    for (uint32_t y = 0; y < height; ++y) {
        if (used + rowSize > buffer.size()) {
            if (!utility::WriteAll(fd, std::string_view(buffer.data(), used))) {
                return false;
            }
            used = 0;
        }
        const auto row = bitmap.Row24(static_cast<int>(height - 1 - y));
        std::memcpy(buffer.data() + used, row.data(), row.size());
        std::memset(buffer.data() + used + row.size(), 0, rowSize - row.size());
        used += rowSize;
    }
    return utility::WriteAll(fd, std::string_view(buffer.data(), used));
}

}  // namespace utility

bool UTILITY_SaveBitmapFile(const ui::Bitmap& bitmap, const std::wstring& path) {
    if (bitmap.IsNull()) {
        return false;
    }
    const std::string name = text::ToUtf8(path);
    utility::UniqueFd file(::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.Valid()) {
        return false;
    }
    struct stat status {};
    const bool regular = ::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode);
    if (utility::WriteBmpFile(file.Get(), bitmap) && file.Close()) {
        return true;
    }
    // A short file would be taken for a picture: remove it (never a device or other special file).
    file.Reset();
    if (regular) {
        ::unlink(name.c_str());
    }
    return false;
}

bool UTILITY_SaveScaledBitmapFile(ui::Window*, const ui::Bitmap& source, const std::wstring& path,
                                  int32_t sourceWidth, int32_t sourceHeight, int32_t targetWidth,
                                  int32_t targetHeight) {
    if (source.IsNull() || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 ||
        targetHeight <= 0) {
        return false;
    }
    if (sourceWidth == source.Width() && sourceHeight == source.Height()) {
        return UTILITY_SaveBitmapFile(source.Stretched(targetWidth, targetHeight), path);
    }
    // Only part of the source: stretch the whole source so that that part fills the target.
    ui::Bitmap target(targetWidth, targetHeight);
    {
        ui::DrawContext dc(target);
        dc.StretchBitmap(source, {0, 0, targetWidth * source.Width() / sourceWidth,
                                  targetHeight * source.Height() / sourceHeight});
    }
    return UTILITY_SaveBitmapFile(target, path);
}

ui::Bitmap UTILITY_CreateBitmapFromBuffer(ui::DrawContext*, int32_t width, int32_t height,
                                          int32_t bitsPerPixel, const std::byte* pixels,
                                          size_t size) {
    if (width == 0 || height == 0 || bitsPerPixel == 0 || pixels == nullptr) {
        return {};
    }
    return ui::Bitmap::FromDib(width, height, bitsPerPixel, {pixels, size});
}

ui::Bitmap UTILITY_LoadBitmapFile(const std::wstring& path) {
    return ui::Bitmap::LoadBmpFile(path);
}

int32_t UTILITY_GetBitmapWidth(const ui::Bitmap& bitmap) {
    return bitmap.Width();
}

int32_t UTILITY_GetBitmapHeight(const ui::Bitmap& bitmap) {
    return bitmap.Height();
}

void UTILITY_GetBitmapResourceSize(uint16_t id, int32_t& width, int32_t& height) {
    const ui::Bitmap bitmap = ui::Bitmap::FromResource(id);
    width = bitmap.Width();
    height = bitmap.Height();
}
