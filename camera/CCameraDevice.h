// One opened camera as the camera window's picture source: it owns the capture graph and the
// video host window that shows the live picture, starts preview or recording with the format
// indices kept in the configuration file, keeps the camera's brightness, contrast and saturation
// in that file, recognises a change of camera model, and takes stills: named, stamped with their
// name, saved as a 24-bit .bmp file with a 160 x 90 thumbnail beside it.
//
// A still is made from the frame the grabber actually holds (its own size and depth) and is
// refused when the frame is shorter than its size says; a still counts as taken only when its
// picture and its thumbnail are both on disk. A recording's poster ("<clip title>.bmp") is
// taken from its first frame, or when the recording stops if no frame had arrived by then.
//
// Owned by the camera manager; UI thread (the setup dialog's graph calls included).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "camera/CaptureClock.h"
#include "camera/CaptureGraph.h"
#include "camera/CaptureNames.h"
#include "camera/CaptureStamp.h"
#include "camera/LivePicture.h"
#include "platform/capture/VideoDevice.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"

class OperatorPrompts;

class CCameraDevice {
  public:
    static constexpr int kVideoHostId = 2013;
    static constexpr int kThumbnailWidth = 160;
    static constexpr int kThumbnailHeight = 90;

    CCameraDevice(CaptureClock& clock, OperatorPrompts& prompts);
    ~CCameraDevice();
    CCameraDevice(const CCameraDevice&) = delete;
    CCameraDevice& operator=(const CCameraDevice&) = delete;

    // Creates the video host in `parent` at `videoRect` and opens the device; on failure says
    // "Camrea Create Fail!". Stills go to `imagesFolder`, thumbnails to `thumbnailFolder`.
    bool Create(ui::Dialog* parent, const std::wstring& imagesFolder,
                const std::wstring& thumbnailFolder, const ui::Rect& videoRect,
                const capture::VideoDevice& deviceMoniker, const std::wstring& deviceDisplayName);
    // Starts the preview (empty path) or a recording into `aviPath`, with the record format in
    // record mode, else the capture format. Returns whether the graph runs; a recording's poster
    // is reported by VideoThumbnailName(), which a recording start clears.
    bool Start(const std::wstring& aviPath, bool recordMode);
    // Stops the graph, taking a recording's poster first if it was not yet taken.
    void StopGraph();
    // Releases the graph and hides the video host.
    void Close();

    void LoadProcAmpSettings();
    void CheckCameraIdentity(const std::wstring& displayName);
    bool SaveStill(const std::wstring& fileName);
    void StampImage(ui::Bitmap& bitmap, const std::wstring& text);
    // "P<local time><digit>.bmp", the digit skipping names taken in the folders given by
    // SetTakenNames.
    std::wstring NextStillName();
    void SetTakenNames(CaptureNameFolders folders) { mTakenNames = std::move(folders); }

    // White over the live picture for the flash.
    void Flash();

    CaptureGraph& Graph() { return mGraph; }
    ui::StaticHost* VideoHost() const { return mVideoHost; }
    LivePicture& Picture() { return mLivePicture; }
    const std::wstring& VideoThumbnailName() const { return videoThumbnailName; }
    const std::wstring& DisplayName() const { return mStringDeviceDisplayName; }

  private:
    // Draws the stamp of `text` into the bottom-up 24-bit `frame`.
    void StampFrame(std::vector<uint8_t>& frame, int32_t width, int32_t height, std::size_t stride,
                    const std::wstring& text);
    // A format index key as Start uses it: missing gives 0, 0xFF is written back as 0, and
    // only the low four bits count.
    int32_t FormatIndex(const char* key);

    CaptureGraph mGraph;
    ui::Rect mVideoRect;
    ui::StaticHost* mVideoHost = nullptr;  // a control of the parent, which owns it
    LivePicture mLivePicture;
    ui::Dialog* mParent = nullptr;
    int stillCounter = 0;
    std::wstring mStringImageFolder;
    std::wstring mStringThumbnailFolder;
    std::wstring videoThumbnailName;
    std::wstring mStringPendingPoster;  // a recording's poster not taken yet
    ui::Font mStampFont = CaptureStampFont();
    std::wstring mStringProgramFolder;
    std::wstring mStringConfigPath;
    capture::VideoDevice mDeviceMoniker;
    std::wstring mStringDeviceDisplayName;
    CaptureClock& mClock;
    OperatorPrompts& mPrompts;
    CaptureNameFolders mTakenNames;
};
