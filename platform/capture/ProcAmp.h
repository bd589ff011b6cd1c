// The video processing amplifier of a device: ten properties by number, each with a range.
#pragma once

#include <cstdint>

namespace capture {

enum ProcAmpProperty : int {
    kBrightness = 0,
    kContrast = 1,
    kHue = 2,
    kSaturation = 3,
    kSharpness = 4,
    kGamma = 5,
    kColorEnable = 6,
    kWhiteBalance = 7,
    kBacklightCompensation = 8,
    kGain = 9,
};
inline constexpr int kProcAmpPropertyCount = 10;

// Capability flags of a property.
inline constexpr int32_t kProcAmpFlagsAuto = 1;
inline constexpr int32_t kProcAmpFlagsManual = 2;

struct ProcAmpRange {
    int32_t min = 0;
    int32_t max = 0;
    int32_t step = 0;
    int32_t defaultValue = 0;
    int32_t flags = 0;
};

}  // namespace capture
