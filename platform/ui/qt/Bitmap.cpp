// ui::Bitmap over QImage.
#include "platform/ui/Bitmap.h"

#include <QImageReader>
#include <cstring>

#include "platform/fs/Resources.h"
#include "platform/text/Text.h"
#include "platform/ui/qt/AreaAverage.h"
#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/Convert.h"

namespace ui {
namespace {

constexpr char kBitmapType[] = "BITMAP";

// The image library refuses pictures whose decoded size passes 128 MiB by default, which a
// current phone's 48-megapixel photo does (192 MiB at 32 bits). 1 GiB admits pictures up to
// about 16000 x 16000 while still refusing a file that claims absurd dimensions.
constexpr int kDecodeLimitMiB = 1024;

QImage ReadImage(const std::wstring& path, const char* format) {
    QImageReader::setAllocationLimit(kDecodeLimitMiB);
    QImageReader reader(ToQString(path), format);
    reader.setAutoDetectImageFormat(format == nullptr);
    reader.setDecideFormatFromContent(format == nullptr);
    return reader.read();
}

}  // namespace

Bitmap BitmapFromQImage(QImage image) {
    Bitmap bitmap;
    bitmap.Internal().image = std::move(image);
    return bitmap;
}

Bitmap::Bitmap() : mData(std::make_shared<Data>()) {}

Bitmap::Bitmap(int width, int height, Color fill) : Bitmap() {
    if (width > 0 && height > 0) {
        mData->image = QImage(width, height, QImage::Format_RGB32);
        mData->image.fill(ToQColor(fill));
    }
}

Bitmap::~Bitmap() = default;
Bitmap::Bitmap(const Bitmap& other) : mData(std::make_shared<Data>(*other.mData)) {}
Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        mData = std::make_shared<Data>(*other.mData);
    }
    return *this;
}
Bitmap::Bitmap(Bitmap&& other) noexcept : mData(std::exchange(other.mData, nullptr)) {
    other.mData = std::make_shared<Data>();
}
Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    std::swap(mData, other.mData);
    return *this;
}

Bitmap::Data& Bitmap::Internal() {
    mData->rows24 = QImage();
    return *mData;
}

Bitmap Bitmap::FromResource(uint16_t id) {
    auto bytes = resources::Find(kBitmapType, id);
    if (!bytes) {
        return {};
    }
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                       static_cast<int>(bytes->size()), "BMP");
    return BitmapFromQImage(std::move(image));
}

Bitmap Bitmap::LoadBmpFile(const std::wstring& path) {
    return BitmapFromQImage(ReadImage(path, "bmp"));
}

Bitmap Bitmap::LoadImageFile(const std::wstring& path) {
    return BitmapFromQImage(ReadImage(path, nullptr));
}

Bitmap Bitmap::FromDib(int width, int height, int bitsPerPixel, std::span<const std::byte> pixels) {
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return {};
    }
    const size_t stride = (static_cast<size_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (pixels.size() < stride * static_cast<size_t>(height)) {
        return {};
    }
    QImage image(width, height, bitsPerPixel == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(width) * (bitsPerPixel / 8);
    for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), pixels.data() + stride * (height - 1 - y), rowBytes);
    }
    return BitmapFromQImage(std::move(image));
}

bool Bitmap::IsNull() const {
    return mData->image.isNull();
}
int Bitmap::Width() const {
    return mData->image.width();
}
int Bitmap::Height() const {
    return mData->image.height();
}

Color Bitmap::Pixel(int x, int y) const {
    if (!mData->image.valid(x, y)) {
        return {};
    }
    return FromQColor(mData->image.pixelColor(x, y));
}

std::span<const std::byte> Bitmap::Row24(int y) const {
    if (y < 0 || y >= Height()) {
        return {};
    }
    const QImage* rows = &mData->image;
    if (rows->format() != QImage::Format_BGR888) {
        if (mData->rows24.isNull()) {
            mData->rows24 = mData->image.convertToFormat(QImage::Format_BGR888);
        }
        rows = &mData->rows24;
    }
    return {reinterpret_cast<const std::byte*>(rows->constScanLine(y)),
            static_cast<size_t>(Width()) * 3};
}

Bitmap Bitmap::Stretched(int width, int height) const {
    if (IsNull() || width <= 0 || height <= 0) {
        return {};
    }
    const QImage& image = mData->image;
    if (detail::CanShrinkByAreaAverage(image, width, height)) {
        return BitmapFromQImage(detail::ShrinkByAreaAverage(image, width, height));
    }
    return BitmapFromQImage(
        image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

bool Bitmap::SaveImageFile(const std::wstring& path) const {
    return !IsNull() && mData->image.save(ToQString(path));
}

}  // namespace ui
