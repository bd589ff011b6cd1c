#include "platform/capture/Caps.h"

#include <cmath>
#include <cstdio>
#include <numeric>

namespace capture {

std::string Describe(const MediaType& type) {
    char code[5] = {static_cast<char>(type.subtype), static_cast<char>(type.subtype >> 8),
                    static_cast<char>(type.subtype >> 16), static_cast<char>(type.subtype >> 24),
                    0};
    char text[96];
    std::snprintf(text, sizeof(text), "%s %dx%d @ %lld", code, type.width, type.height,
                  static_cast<long long>(type.avgTimePerFrame));
    return text;
}

uint16_t BitCountOf(uint32_t subtype) {
    switch (subtype) {
        case kSubtypeYuy2:
        case kSubtypeUyvy:
            return 16;
        case kSubtypeNv12:
        case kSubtypeI420:
            return 12;
        default:
            return 24;
    }
}

namespace detail {

Fraction FrameRateOf(int64_t avgTimePerFrame) {
    if (avgTimePerFrame <= 0) {
        return {0, 1};
    }
    const auto millihertz =
        static_cast<long long>(std::llround(1e10 / static_cast<double>(avgTimePerFrame)));
    const long long divisor = std::gcd(millihertz, 1000LL);
    return {static_cast<int>(millihertz / divisor), static_cast<int>(1000 / divisor)};
}

const char* RawFormatName(uint32_t subtype) {
    switch (subtype) {
        case kSubtypeYuy2:
            return "YUY2";
        case kSubtypeUyvy:
            return "UYVY";
        case kSubtypeNv12:
            return "NV12";
        case kSubtypeI420:
            return "I420";
        default:
            return nullptr;
    }
}

std::optional<std::string> CapsFor(const MediaType& type) {
    std::string caps;
    if (type.IsCompressed()) {
        caps = "image/jpeg";
    } else if (const char* name = RawFormatName(type.subtype)) {
        caps = std::string("video/x-raw,format=") + name;
    } else {
        return std::nullopt;
    }
    caps += ",width=" + std::to_string(type.width) + ",height=" + std::to_string(type.height);
    const Fraction rate = FrameRateOf(type.avgTimePerFrame);
    if (rate.numerator > 0) {
        caps +=
            ",framerate=" + std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator);
    }
    return caps;
}

}  // namespace detail
}  // namespace capture
