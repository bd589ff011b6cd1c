// The capture graph of one camera window: the opened device, its usable formats (1920 x 1080
// only, as the owner sets the filter), the image-adjustment table, and the running graph
// that previews into the video host window while the grabber keeps the newest frame and,
// on request, records an AVI file.
//
// States:  Created --OpenDevice--> Open --StartGraph--> Previewing | Recording
//          Previewing/Recording --StopGraph--> Open --ReleaseGraph--> Released
//
// Threading: the owner's thread (the camera window's); the extension unit is reached from
// worker threads through the source. Nothing is locked. The streaming thread reaches the
// picture only through the owner window's frame slot, which it holds while it runs, so the
// window may be destroyed before the graph is stopped.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/MediaType.h"
#include "platform/capture/Pipeline.h"
#include "platform/capture/ProcAmp.h"
#include "platform/capture/Source.h"
#include "platform/capture/Status.h"
#include "platform/capture/VideoDevice.h"
#include "platform/ui/FrameSlot.h"

// The graph notification message registered with the graph; no window handles it.
inline constexpr uint32_t WM_GRAPH_NOTIFY = 0x417;

inline constexpr int kMaxFormats = 16;

struct ProcAmpEntry {
    int32_t min = 0;
    int32_t max = 0;
    int32_t step = 0;
    int32_t defaultValue = 0;
    int32_t current = 0;  // the value believed set; starts at the default
    int32_t flags = 0;
    uint8_t supported = 0;  // the range query succeeded; an unsupported row is never written
};

struct CaptureGraph {
    // The owner window's frame slot, where the preview is presented; set by StartGraph,
    // forgotten by StopGraph and ReleaseGraph.
    std::shared_ptr<ui::FrameSlot> ownerFrameSlot;
    capture::VideoDevice deviceMoniker;
    std::wstring deviceDisplayName;
    std::unique_ptr<capture::Source> sourceFilter;
    std::unique_ptr<capture::Pipeline> filterGraph;
    uint32_t notifyMessage = 0;

    // The same formats in the same order in both lists (each list holds its own copies).
    std::array<capture::MediaType, kMaxFormats> captureFormats{};
    std::array<capture::MediaType, kMaxFormats> recordFormats{};
    int32_t captureFormatCount = 0;
    int32_t recordFormatCount = 0;
    int32_t currentCaptureFormat = 0;
    int32_t currentRecordFormat = 0;

    std::array<ProcAmpEntry, capture::kProcAmpPropertyCount> procAmp{};
    int32_t recording = 0;
    int32_t formatFilterWidth = 0;  // with the height: only formats of exactly this size
    int32_t formatFilterHeight = 0;
    int32_t forceFrameRate = 0;  // every applied format runs at 15 frames per second
};

// Opens the device, lists its formats and reads the amplifier's ranges; false when the device
// cannot be opened or offers no format of the filter's size.
bool OpenDevice(CaptureGraph& graph, const capture::VideoDevice& deviceMoniker,
                const std::wstring& deviceDisplayName);
// Applies format `formatIndex` of the capture list (or the record list), starts the preview
// into the frame slot of `ownerWindow` (none without a window) and, with a non-empty
// `aviPath`, the recording. The window is used only during the call. False when a step fails;
// a failed start is not undone (the caller stops the graph before the next start).
bool StartGraph(CaptureGraph& graph, ui::FrameSlotOwner* ownerWindow, uint32_t notifyMessage,
                int32_t formatIndex, const std::wstring& aviPath, bool useRecordList);
// Stops the graph, shows the owner window's background and forgets the window; a recording's
// file is complete when this returns.
void StopGraph(CaptureGraph& graph);
void ReleaseGraph(CaptureGraph& graph);

// Applies list entry `index` (at 666666 x 100 ns per frame when forced); an index without an
// entry changes nothing and succeeds.
capture::Status SelectCaptureFormat(CaptureGraph& graph, int32_t index);
capture::Status SelectRecordFormat(CaptureGraph& graph, int32_t index);

// A copy of the newest frame: RGB24 rows bottom-up, blue-green-red, rows padded to 4 bytes.
// False before the first frame.
bool GetFrameBuffer(CaptureGraph& graph, std::vector<uint8_t>& buffer, int32_t& size);
bool GetFrameFormat(CaptureGraph& graph, int32_t& width, int32_t& height, int32_t& bitsPerPixel);

// Sets an adjustment; true when set or when the device does not support the property (then
// the device is not contacted). A refused value leaves the table as it was.
bool SetProcAmp(CaptureGraph& graph, int32_t property, int32_t value);

// Repaints the preview at the owner window's current client size (the picture always fills
// the client area); nothing when the graph has no owner window.
void FitVideoWindow(CaptureGraph& graph);

// Whether a video input device with exactly this display name (case matters) is attached.
bool IsDevicePresent(const std::wstring& displayName);
