#include "platform/capture/V4l2Formats.h"

#include <linux/videodev2.h>

namespace capture::detail {

uint32_t SubtypeOfPixelFormat(uint32_t pixelFormat) {
    switch (pixelFormat) {
        case V4L2_PIX_FMT_YUYV:
            return kSubtypeYuy2;
        case V4L2_PIX_FMT_YUV420:
            return kSubtypeI420;
        default:
            return pixelFormat;
    }
}

uint32_t PixelFormatOfSubtype(uint32_t subtype) {
    switch (subtype) {
        case kSubtypeYuy2:
            return V4L2_PIX_FMT_YUYV;
        case kSubtypeI420:
            return V4L2_PIX_FMT_YUV420;
        default:
            return subtype;
    }
}

MediaType MediaTypeOf(uint32_t pixelFormat, uint32_t width, uint32_t height,
                      uint32_t intervalNumerator, uint32_t intervalDenominator) {
    MediaType type;
    type.subtype = SubtypeOfPixelFormat(pixelFormat);
    type.width = static_cast<int32_t>(width);
    type.height = static_cast<int32_t>(height);
    type.bitCount = BitCountOf(type.subtype);
    if (intervalDenominator != 0) {
        type.avgTimePerFrame = static_cast<int64_t>(intervalNumerator) * 10'000'000 /
                               static_cast<int64_t>(intervalDenominator);
    }
    return type;
}

}  // namespace capture::detail
