// The camera's keys in the configuration file (Sorvanti.ini): the camera model last seen, the
// format indices for recording and for preview and stills, and the three image adjustments,
// each stored as its distance above the camera's range minimum.
#pragma once

#include <array>

#include "platform/capture/ProcAmp.h"

namespace cameraconfig {

inline constexpr char kVendor[] = "CameraVendor";
inline constexpr char kProduct[] = "CameraProduct";
inline constexpr char kRecordFormat[] = "CameraResolutionIndexRecord";
inline constexpr char kCaptureFormat[] = "CameraResolutionIndexCapture";

// No value stored yet.
inline constexpr uint8_t kNoFormat = 0xFF;
inline constexpr int32_t kNoAdjustment = static_cast<int32_t>(0xFFFFFFFF);

struct Adjustment {
    int row;          // the proc-amp property
    const char* key;  // its configuration key
};
// Brightness, contrast and saturation, in the order every caller goes through them.
inline constexpr std::array<Adjustment, 3> kAdjustments{{
    {capture::kBrightness, "VideoProcAmp_Brightness"},
    {capture::kContrast, "VideoProcAmp_Contrast"},
    {capture::kSaturation, "VideoProcAmp_Saturation"},
}};

}  // namespace cameraconfig
