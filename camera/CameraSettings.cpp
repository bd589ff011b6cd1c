// The setup dialog's adjustment and format rules.
#include "camera/CameraSettings.h"

#include "camera/CaptureGraph.h"
#include "platform/text/Format.h"
#include "platform/ui/Dialog.h"
#include "utility/files/Configuration.h"

namespace {

template <std::size_t size>
std::vector<std::wstring> FormatTexts(const std::array<capture::MediaType, size>& formats,
                                      int32_t count) {
    std::vector<std::wstring> texts;
    for (int32_t i = 0; i < count; ++i) {
        texts.push_back(text::sprintf(L"%d x %d", formats[i].width, formats[i].height));
    }
    return texts;
}

}  // namespace

CameraSettings::CameraSettings(CaptureGraph& graph, std::wstring configurationPath)
    : mGraph(graph), mStringConfigPath(std::move(configurationPath)) {}

CameraSettings::Slider CameraSettings::InitialSlider(
    const cameraconfig::Adjustment& adjustment) const {
    const ProcAmpEntry& entry = mGraph.procAmp[adjustment.row];
    Slider slider;
    if (!entry.supported) {
        return slider;
    }
    slider = {true, entry.min, entry.max, entry.step, entry.current};
    int32_t stored = 0;
    if (UTILITY_ReadConfigDword(mStringConfigPath, adjustment.key, stored)) {
        slider.position = stored + entry.min;
    }
    return slider;
}

bool CameraSettings::OnSliderScroll(const cameraconfig::Adjustment& adjustment, int code,
                                    int32_t position) {
    if (code != ui::kTrackEndTrack || !SetProcAmp(mGraph, adjustment.row, position)) {
        return false;
    }
    const ProcAmpEntry& entry = mGraph.procAmp[adjustment.row];
    UTILITY_WriteConfigDword(mStringConfigPath, adjustment.key, entry.current - entry.min);
    return true;
}

void CameraSettings::ResetDefaults(
    const std::function<void(const cameraconfig::Adjustment&, int32_t)>& moveSlider) {
    for (const cameraconfig::Adjustment& adjustment : cameraconfig::kAdjustments) {
        const ProcAmpEntry& entry = mGraph.procAmp[adjustment.row];
        if (!entry.supported) {
            continue;
        }
        moveSlider(adjustment, entry.defaultValue);
        if (!SetProcAmp(mGraph, adjustment.row, entry.defaultValue)) {
            return;
        }
    }
}

std::vector<std::wstring> CameraSettings::RecordFormatTexts() const {
    return FormatTexts(mGraph.recordFormats, mGraph.recordFormatCount);
}

std::vector<std::wstring> CameraSettings::CaptureFormatTexts() const {
    return FormatTexts(mGraph.captureFormats, mGraph.captureFormatCount);
}

void CameraSettings::LoadFormatIndices() {
    uint8_t index = 0;
    if (UTILITY_ReadConfigByte(mStringConfigPath, cameraconfig::kRecordFormat, index)) {
        mGraph.currentRecordFormat = index;
    }
    if (UTILITY_ReadConfigByte(mStringConfigPath, cameraconfig::kCaptureFormat, index)) {
        mGraph.currentCaptureFormat = index;
    }
}

void CameraSettings::ChooseRecordFormat(int selection) {
    UTILITY_WriteConfigByte(mStringConfigPath, cameraconfig::kRecordFormat,
                            static_cast<uint8_t>(selection));
    mGraph.currentRecordFormat = selection;
}

void CameraSettings::ChooseCaptureFormat(int selection) {
    UTILITY_WriteConfigByte(mStringConfigPath, cameraconfig::kCaptureFormat,
                            static_cast<uint8_t>(selection));
    mGraph.currentCaptureFormat = selection;
}
