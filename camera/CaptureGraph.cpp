// The capture graph's operations over the capture platform's source and pipeline.
#include "camera/CaptureGraph.h"

#include "platform/text/Text.h"

namespace {

// 15 frames per second in 100 ns units (not 666667).
constexpr int64_t kForcedTimePerFrame = 666666;

bool FilterActive(const CaptureGraph& graph) {
    return graph.formatFilterWidth != 0 || graph.formatFilterHeight != 0;
}

// Keeps every video-info format of the filter's size, in the device's order, in both lists
// (at most 16). Fails only when no format is kept: a capability that cannot be queried is
// skipped wherever it stands.
capture::Status EnumerateFormats(CaptureGraph& graph) {
    graph.captureFormatCount = graph.recordFormatCount = 0;
    graph.currentCaptureFormat = graph.currentRecordFormat = 0;
    for (const auto& capability : graph.sourceFilter->Capabilities()) {
        const capture::MediaType& type = capability.type;
        if (!capture::Succeeded(capability.status) || !type.majorTypeVideo ||
            !type.formatTypeVideoInfo ||
            (FilterActive(graph) &&
             (type.width != graph.formatFilterWidth || type.height != graph.formatFilterHeight))) {
            continue;
        }
        if (graph.captureFormatCount == kMaxFormats) {
            break;
        }
        graph.captureFormats[graph.captureFormatCount++] = type;
        graph.recordFormats[graph.recordFormatCount++] = type;
    }
    return graph.captureFormatCount == 0 ? capture::E_FAIL : capture::S_OK;
}

void ReadProcAmpRanges(CaptureGraph& graph) {
    for (int property = 0; property < capture::kProcAmpPropertyCount; ++property) {
        ProcAmpEntry& entry = graph.procAmp[property];
        capture::ProcAmpRange range;
        if (capture::Succeeded(graph.sourceFilter->GetProcAmpRange(property, range))) {
            entry = {range.min,          range.max,   range.step, range.defaultValue,
                     range.defaultValue, range.flags, 1};
        } else {
            entry.supported = 0;
        }
    }
}

capture::Status SelectFormat(CaptureGraph& graph,
                             std::array<capture::MediaType, kMaxFormats>& formats, int32_t count,
                             int32_t& current, int32_t index) {
    if (index < 0 || index >= count) {
        return capture::S_OK;
    }
    current = index;
    if (graph.forceFrameRate) {
        formats[index].avgTimePerFrame = kForcedTimePerFrame;
    }
    return graph.sourceFilter ? graph.sourceFilter->SetFormat(formats[index]) : capture::E_FAIL;
}

}  // namespace

bool OpenDevice(CaptureGraph& graph, const capture::VideoDevice& deviceMoniker,
                const std::wstring& deviceDisplayName) {
    graph.deviceMoniker = deviceMoniker;
    graph.deviceDisplayName = deviceDisplayName;
    graph.filterGraph = std::make_unique<capture::Pipeline>();
    graph.sourceFilter = capture::Source::Open(deviceMoniker);
    if (!graph.sourceFilter || !capture::Succeeded(EnumerateFormats(graph))) {
        return false;
    }
    ReadProcAmpRanges(graph);
    return true;
}

capture::Status SelectCaptureFormat(CaptureGraph& graph, int32_t index) {
    return SelectFormat(graph, graph.captureFormats, graph.captureFormatCount,
                        graph.currentCaptureFormat, index);
}

capture::Status SelectRecordFormat(CaptureGraph& graph, int32_t index) {
    return SelectFormat(graph, graph.recordFormats, graph.recordFormatCount,
                        graph.currentRecordFormat, index);
}

bool StartGraph(CaptureGraph& graph, ui::FrameSlotOwner* ownerWindow, uint32_t notifyMessage,
                int32_t formatIndex, const std::wstring& aviPath, bool useRecordList) {
    graph.ownerFrameSlot = ownerWindow != nullptr ? ownerWindow->Slot() : nullptr;
    graph.notifyMessage = notifyMessage;
    graph.recording = aviPath.empty() ? 0 : 1;
    if (!graph.sourceFilter || !graph.filterGraph) {
        return false;
    }
    const capture::Status selected = useRecordList ? SelectRecordFormat(graph, formatIndex)
                                                   : SelectCaptureFormat(graph, formatIndex);
    if (!capture::Succeeded(selected)) {
        return false;
    }
    capture::FrameCallback preview;
    if (graph.ownerFrameSlot) {
        preview = [slot = graph.ownerFrameSlot](const capture::FrameView& frame) {
            slot->Present(frame.data, frame.width, frame.height, frame.stride);
        };
    }
    return capture::Succeeded(
        graph.filterGraph->Start(*graph.sourceFilter, text::ToUtf8(aviPath), std::move(preview)));
}

void StopGraph(CaptureGraph& graph) {
    if (graph.filterGraph) {
        graph.filterGraph->Stop();
    }
    if (graph.ownerFrameSlot) {
        graph.ownerFrameSlot->Clear();
        graph.ownerFrameSlot.reset();
    }
}

void ReleaseGraph(CaptureGraph& graph) {
    graph.filterGraph.reset();
    graph.sourceFilter.reset();
    graph.ownerFrameSlot.reset();
}

bool GetFrameBuffer(CaptureGraph& graph, std::vector<uint8_t>& buffer, int32_t& size) {
    if (!graph.filterGraph || !capture::Succeeded(graph.filterGraph->GetCurrentBuffer(buffer))) {
        return false;
    }
    size = static_cast<int32_t>(buffer.size());
    return true;
}

bool GetFrameFormat(CaptureGraph& graph, int32_t& width, int32_t& height, int32_t& bitsPerPixel) {
    return graph.filterGraph && graph.filterGraph->GetConnectedFormat(width, height, bitsPerPixel);
}

bool SetProcAmp(CaptureGraph& graph, int32_t property, int32_t value) {
    if (property < 0 || property >= capture::kProcAmpPropertyCount) {
        return false;
    }
    ProcAmpEntry& entry = graph.procAmp[property];
    if (!entry.supported) {
        return true;
    }
    if (!graph.sourceFilter || !capture::Succeeded(graph.sourceFilter->SetProcAmp(
                                   property, value, capture::kProcAmpFlagsManual))) {
        return false;
    }
    entry.current = value;
    return true;
}

void FitVideoWindow(CaptureGraph& graph) {
    if (graph.ownerFrameSlot) {
        graph.ownerFrameSlot->Repaint();
    }
}

bool IsDevicePresent(const std::wstring& displayName) {
    for (const capture::VideoDevice& device : capture::EnumerateVideoDevices()) {
        if (device.displayName == displayName) {
            return true;
        }
    }
    return false;
}
