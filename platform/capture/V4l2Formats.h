// Internal: V4L2 pixel formats and frame intervals as media types.
#pragma once

#include <cstdint>

#include "platform/capture/MediaType.h"

namespace capture::detail {

// The media subtype of a V4L2 pixel format (YUYV is YUY2, YU12 is I420, others keep their
// code) and back.
uint32_t SubtypeOfPixelFormat(uint32_t pixelFormat);
uint32_t PixelFormatOfSubtype(uint32_t subtype);

// One capability: a pixel format at a frame size with its frame interval in seconds as a
// fraction (V4L2's numerator/denominator), converted to 100 ns units.
MediaType MediaTypeOf(uint32_t pixelFormat, uint32_t width, uint32_t height,
                      uint32_t intervalNumerator, uint32_t intervalDenominator);

}  // namespace capture::detail
