// One capture format of a device, as a media-type record with a video-info header: the
// pixel format (a four-character code), size, bit depth and frame interval.
#pragma once

#include <cstdint>
#include <string>

namespace capture {

constexpr uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d)) << 24;
}

inline constexpr uint32_t kSubtypeMjpg = FourCc('M', 'J', 'P', 'G');
inline constexpr uint32_t kSubtypeYuy2 = FourCc('Y', 'U', 'Y', '2');
inline constexpr uint32_t kSubtypeNv12 = FourCc('N', 'V', '1', '2');
inline constexpr uint32_t kSubtypeI420 = FourCc('I', '4', '2', '0');
inline constexpr uint32_t kSubtypeUyvy = FourCc('U', 'Y', 'V', 'Y');

struct MediaType {
    bool majorTypeVideo = true;       // MEDIATYPE_Video
    bool formatTypeVideoInfo = true;  // FORMAT_VideoInfo, with a complete header
    uint32_t subtype = 0;             // four-character code
    int32_t width = 0;                // biWidth
    int32_t height = 0;               // biHeight
    uint16_t bitCount = 0;            // biBitCount
    int64_t avgTimePerFrame = 0;      // AvgTimePerFrame, 100 ns units

    bool IsCompressed() const { return subtype == kSubtypeMjpg; }
    bool operator==(const MediaType&) const = default;
};

// "MJPG 1920x1080 @ 666666" for logs and tests.
std::string Describe(const MediaType& type);

// Bits per pixel of a subtype as the header reports it.
uint16_t BitCountOf(uint32_t subtype);

}  // namespace capture
