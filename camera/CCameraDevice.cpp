// The camera device: start and stop, settings, stills.
#include "camera/CCameraDevice.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "camera/CameraConfiguration.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Configuration.h"
#include "utility/files/Files.h"

namespace {

constexpr auto kFlashDuration = std::chrono::milliseconds(50);
// Where the stamp is drawn: its text from (10, 10); the play mark of a clip's poster reaches
// (210, 200).
constexpr int32_t kStampOrigin = 10;
constexpr int32_t kMarkRight = 211;
constexpr int32_t kMarkBottom = 201;
constexpr int32_t kStampMargin = 4;

// The 16-bit id after `marker` ("VID_", "PID_") in a display name: at most the 4 characters
// that follow it, as hexadecimal. A name without the marker gives 0.
uint16_t IdAfter(const std::wstring& name, const std::wstring& marker) {
    const auto at = name.find(marker);
    if (at == std::wstring::npos) {
        return 0;
    }
    return static_cast<uint16_t>(UTILITY_HexStringToInt(name.substr(at + marker.size(), 4)));
}

}  // namespace

CCameraDevice::CCameraDevice(CaptureClock& clock, OperatorPrompts& prompts)
    : mClock(clock), mPrompts(prompts) {
    mGraph.formatFilterWidth = 1920;
    mGraph.formatFilterHeight = 1080;
    mGraph.forceFrameRate = 1;
    UTILITY_GetModuleFolder(mStringProgramFolder);
    mStringConfigPath = text::sprintf(L"%s/%s", mStringProgramFolder, L"Sorvanti.ini");
}

CCameraDevice::~CCameraDevice() {
    ReleaseGraph(mGraph);
}

bool CCameraDevice::Create(ui::Dialog* parent, const std::wstring& imagesFolder,
                           const std::wstring& thumbnailFolder, const ui::Rect& videoRect,
                           const capture::VideoDevice& deviceMoniker,
                           const std::wstring& deviceDisplayName) {
    mParent = parent;
    mStringImageFolder = imagesFolder;
    mStringThumbnailFolder = thumbnailFolder;
    mVideoRect = videoRect;
    mDeviceMoniker = deviceMoniker;
    mStringDeviceDisplayName = deviceDisplayName;

    ui::ControlTemplate host;
    host.id = kVideoHostId;
    host.kind = ui::ControlKind::StaticHost;
    mVideoHost = dynamic_cast<ui::StaticHost*>(parent->AddControl(host, videoRect));
    if (mVideoHost != nullptr) {
        mLivePicture.ShowIn({mVideoHost->Slot()});
    }

    const bool opened = OpenDevice(mGraph, mDeviceMoniker, mStringDeviceDisplayName);
    if (opened) {
        CheckCameraIdentity(mStringDeviceDisplayName);
    } else {
        mPrompts.ShowMessage(L"Camrea Create Fail!");
    }
    return opened;
}

int32_t CCameraDevice::FormatIndex(const char* key) {
    uint8_t index = 0;
    if (!UTILITY_ReadConfigByte(mStringConfigPath, key, index)) {
        return 0;
    }
    if (index == cameraconfig::kNoFormat) {
        UTILITY_WriteConfigByte(mStringConfigPath, key, 0);
        return 0;
    }
    return index & 0x0F;
}

bool CCameraDevice::Start(const std::wstring& aviPath, bool recordMode) {
    const int32_t recordIndex = FormatIndex(cameraconfig::kRecordFormat);
    const int32_t captureIndex = FormatIndex(cameraconfig::kCaptureFormat);
    if (!aviPath.empty()) {
        videoThumbnailName.clear();
        mStringPendingPoster.clear();
    }
    if (!StartGraph(mGraph, &mLivePicture, WM_GRAPH_NOTIFY, recordMode ? recordIndex : captureIndex,
                    aviPath, recordMode)) {
        return false;
    }
    LoadProcAmpSettings();
    if (!aviPath.empty()) {
        std::wstring title;
        UTILITY_GetFileTitle(aviPath, title);
        const std::wstring poster = title + L".bmp";
        if (SaveStill(poster)) {
            videoThumbnailName = poster;
        } else {
            mStringPendingPoster = poster;
        }
    }
    return true;
}

void CCameraDevice::StopGraph() {
    if (!mStringPendingPoster.empty()) {
        if (SaveStill(mStringPendingPoster)) {
            videoThumbnailName = mStringPendingPoster;
        }
        mStringPendingPoster.clear();
    }
    ::StopGraph(mGraph);
}

void CCameraDevice::Close() {
    ReleaseGraph(mGraph);
    if (mVideoHost != nullptr) {
        mVideoHost->Hide();
    }
}

void CCameraDevice::LoadProcAmpSettings() {
    for (const cameraconfig::Adjustment& adjustment : cameraconfig::kAdjustments) {
        ProcAmpEntry& entry = mGraph.procAmp[adjustment.row];
        int32_t stored = 0;
        if (!UTILITY_ReadConfigDword(mStringConfigPath, adjustment.key, stored)) {
            continue;
        }
        if (stored == cameraconfig::kNoAdjustment) {
            UTILITY_WriteConfigDword(mStringConfigPath, adjustment.key, entry.current - entry.min);
        } else {
            entry.current = stored + entry.min;
        }
    }
}

void CCameraDevice::CheckCameraIdentity(const std::wstring& displayName) {
    const uint16_t vendor = IdAfter(displayName, L"VID_");
    const uint16_t product = IdAfter(displayName, L"PID_");
    uint16_t storedVendor = 0;
    uint16_t storedProduct = 0;
    UTILITY_ReadConfigWord(mStringConfigPath, cameraconfig::kVendor, storedVendor);
    UTILITY_ReadConfigWord(mStringConfigPath, cameraconfig::kProduct, storedProduct);
    if (vendor == storedVendor && product == storedProduct) {
        return;
    }
    // Another camera model starts from format 0 and from its own current image settings.
    UTILITY_WriteConfigWord(mStringConfigPath, cameraconfig::kVendor, vendor);
    UTILITY_WriteConfigWord(mStringConfigPath, cameraconfig::kProduct, product);
    UTILITY_WriteConfigByte(mStringConfigPath, cameraconfig::kRecordFormat,
                            cameraconfig::kNoFormat);
    UTILITY_WriteConfigByte(mStringConfigPath, cameraconfig::kCaptureFormat,
                            cameraconfig::kNoFormat);
    for (const cameraconfig::Adjustment& adjustment : cameraconfig::kAdjustments) {
        UTILITY_WriteConfigDword(mStringConfigPath, adjustment.key, cameraconfig::kNoAdjustment);
    }
}

bool CCameraDevice::SaveStill(const std::wstring& fileName) {
    std::vector<uint8_t> frame;
    int32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    // The size and depth of the frame actually grabbed (during a recording the grabber holds
    // the preview's frame, whatever format was applied).
    if (!GetFrameBuffer(mGraph, frame, size) ||
        !GetFrameFormat(mGraph, width, height, bitsPerPixel) || width <= 0 || height <= 0 ||
        bitsPerPixel != 24) {
        return false;
    }
    const std::size_t stride = (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (frame.size() < stride * static_cast<std::size_t>(height)) {
        return false;
    }
    std::wstring stamp;
    UTILITY_RemoveExtension(fileName, stamp);
    StampFrame(frame, width, height, stride, stamp);
    const ui::Bitmap bitmap = UTILITY_CreateBitmapFromBuffer(
        nullptr, width, height, bitsPerPixel, reinterpret_cast<const std::byte*>(frame.data()),
        frame.size());
    if (bitmap.IsNull()) {
        return false;
    }
    const std::wstring picture = mStringImageFolder + fileName;
    const std::wstring thumbnail = mStringThumbnailFolder + fileName;
    // A picture without its thumbnail would be listed nowhere: both, or neither.
    if (UTILITY_SaveBitmapFile(bitmap, picture) &&
        UTILITY_SaveScaledBitmapFile(mParent, bitmap, thumbnail, width, height, kThumbnailWidth,
                                     kThumbnailHeight)) {
        return true;
    }
    ::unlink(text::ToUtf8(picture).c_str());
    ::unlink(text::ToUtf8(thumbnail).c_str());
    return false;
}

// The stamp covers only the picture's top-left corner. It is drawn on a copy of that corner,
// which is then written back into the frame, so the whole picture is never converted for
// drawing: a still is saved sooner after the click.
void CCameraDevice::StampFrame(std::vector<uint8_t>& frame, int32_t width, int32_t height,
                               std::size_t stride, const std::wstring& text) {
    const int32_t cornerWidth = std::min(
        width,
        std::max(kMarkRight, kStampOrigin + UTILITY_GetTextWidth(nullptr, text, mStampFont)) +
            kStampMargin);
    const int32_t cornerHeight = std::min(
        height, std::max(kMarkBottom, kStampOrigin + 2 * mStampFont.PixelHeight()) + kStampMargin);
    const std::size_t cornerStride = (static_cast<std::size_t>(cornerWidth) * 24 + 31) / 32 * 4;
    const std::size_t rowBytes = static_cast<std::size_t>(cornerWidth) * 3;
    // Both buffers are bottom-up: the picture's top row is the last row of each.
    std::vector<std::byte> corner(cornerStride * cornerHeight);
    for (int32_t y = 0; y < cornerHeight; ++y) {
        std::memcpy(corner.data() + cornerStride * (cornerHeight - 1 - y),
                    frame.data() + stride * (height - 1 - y), rowBytes);
    }
    ui::Bitmap bitmap = UTILITY_CreateBitmapFromBuffer(nullptr, cornerWidth, cornerHeight, 24,
                                                       corner.data(), corner.size());
    StampImage(bitmap, text);
    for (int32_t y = 0; y < cornerHeight; ++y) {
        std::memcpy(frame.data() + stride * (height - 1 - y), bitmap.Row24(y).data(), rowBytes);
    }
}

void CCameraDevice::StampImage(ui::Bitmap& bitmap, const std::wstring& text) {
    StampCapture(bitmap, text, mStampFont);
}

std::wstring CCameraDevice::NextStillName() {
    return NextCaptureName(CaptureKind::kStill, mClock.LocalTime(), stillCounter, mTakenNames) +
           L".bmp";
}

void CCameraDevice::Flash() {
    mLivePicture.Flash(kFlashDuration);
}
