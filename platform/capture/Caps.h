// Internal: the GStreamer caps text of a media type, shared by every source.
#pragma once

#include <optional>
#include <string>

#include "platform/capture/MediaType.h"

namespace capture::detail {

// The frame rate of a frame interval in 100 ns units, as a reduced fraction rounded to a
// thousandth of a frame per second: 666666 gives 15/1, 333333 gives 30/1.
struct Fraction {
    int numerator = 0;
    int denominator = 1;
};
Fraction FrameRateOf(int64_t avgTimePerFrame);

// "image/jpeg,width=1920,height=1080,framerate=15/1" or
// "video/x-raw,format=YUY2,width=...": nullopt for a subtype the pipeline cannot carry.
std::optional<std::string> CapsFor(const MediaType& type);

// The raw video format name of a subtype ("YUY2", "NV12", ...), nullptr when unknown.
const char* RawFormatName(uint32_t subtype);

}  // namespace capture::detail
