// The camera platform's pure parts: GUIDs, caps, V4L2 formats, USB descriptors, device names.
#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include "platform/capture/Caps.h"
#include "platform/capture/DeviceNames.h"
#include "platform/capture/Guid.h"
#include "platform/capture/UvcDescriptors.h"
#include "platform/capture/V4l2Formats.h"

namespace {

using namespace capture;

const Guid kUnit = *ParseGuid("{63610682-5070-49AB-B8CC-B3855E8D221D}");

TEST(CapturePlatform, GuidIsStoredInWireOrder) {
    EXPECT_EQ(kUnit, (Guid{0x82, 0x06, 0x61, 0x63, 0x70, 0x50, 0xAB, 0x49, 0xB8, 0xCC, 0xB3, 0x85,
                           0x5E, 0x8D, 0x22, 0x1D}));
    EXPECT_FALSE(ParseGuid("63610682-5070-49AB-B8CC-B3855E8D221D"));
    EXPECT_FALSE(ParseGuid("{63610682-5070-49AB-B8CC-B3855E8D221G}"));
}

TEST(CapturePlatform, CapsCarryFormatSizeAndRoundedRate) {
    MediaType type;
    type.subtype = kSubtypeMjpg, type.width = 1920, type.height = 1080;
    type.avgTimePerFrame = 666666;
    EXPECT_EQ(detail::CapsFor(type), "image/jpeg,width=1920,height=1080,framerate=15/1");
    type.subtype = kSubtypeYuy2, type.avgTimePerFrame = 333333;
    EXPECT_EQ(detail::CapsFor(type),
              "video/x-raw,format=YUY2,width=1920,height=1080,framerate=30/1");
    type.avgTimePerFrame = 400000;
    EXPECT_EQ(detail::CapsFor(type),
              "video/x-raw,format=YUY2,width=1920,height=1080,framerate=25/1");
    type.subtype = FourCc('H', '2', '6', '4');
    EXPECT_FALSE(detail::CapsFor(type));
}

TEST(CapturePlatform, V4l2FormatsBecomeMediaTypes) {
    const MediaType yuyv = detail::MediaTypeOf(V4L2_PIX_FMT_YUYV, 1920, 1080, 1, 15);
    EXPECT_EQ(yuyv.subtype, kSubtypeYuy2);
    EXPECT_EQ(yuyv.bitCount, 16);
    EXPECT_EQ(yuyv.avgTimePerFrame, 666666);
    const MediaType mjpg = detail::MediaTypeOf(V4L2_PIX_FMT_MJPEG, 1280, 720, 1, 30);
    EXPECT_EQ(mjpg.subtype, kSubtypeMjpg);
    EXPECT_EQ(mjpg.avgTimePerFrame, 333333);
    EXPECT_EQ(detail::PixelFormatOfSubtype(kSubtypeYuy2), V4L2_PIX_FMT_YUYV);
}

// A device descriptor, a configuration, a video-control interface with a camera terminal and
// two extension units, and a streaming interface.
std::vector<uint8_t> CameraDescriptors(const Guid& secondUnit) {
    std::vector<uint8_t> bytes = {18,   1,    0x00, 0x02, 0xEF, 0x02, 0x01, 64,   0x6D, 0x04, 0x5C,
                                  0x08, 0x00, 0x01, 1,    2,    3,    1,    9,    2,    0,    0,
                                  2,    1,    0,    0x80, 250,  9,    4,    0,    0,    1,    0x0E,
                                  0x01, 0x00, 0,    18,   0x24, 0x02, 1,    0x01, 0x02, 0,    0,
                                  0,    0,    0,    0,    0,    0,    0,    3,    0,    0};
    auto unit = [&](uint8_t id, const Guid& guid) {
        std::vector<uint8_t> descriptor = {26, 0x24, 0x06, id};
        descriptor.insert(descriptor.end(), guid.begin(), guid.end());
        descriptor.insert(descriptor.end(), {8, 1, 1, 1, 0, 0});
        bytes.insert(bytes.end(), descriptor.begin(), descriptor.end());
    };
    unit(3, Guid{});
    unit(4, secondUnit);
    bytes.insert(bytes.end(), {9, 4, 1, 0, 1, 0x0E, 0x02, 0x00, 0});
    return bytes;
}

TEST(CapturePlatform, ExtensionUnitIsFoundByItsGuid) {
    EXPECT_EQ(detail::FindExtensionUnit(CameraDescriptors(kUnit), kUnit), 4);
    Guid other = kUnit;
    other[0] ^= 1;
    EXPECT_FALSE(detail::FindExtensionUnit(CameraDescriptors(other), kUnit));
    std::vector<uint8_t> truncated = CameraDescriptors(kUnit);
    truncated.resize(truncated.size() - 20);
    EXPECT_FALSE(detail::FindExtensionUnit(truncated, kUnit));
    EXPECT_FALSE(detail::FindExtensionUnit(std::vector<uint8_t>{0, 0, 0}, kUnit));
}

TEST(CapturePlatform, DisplayNamesComeFromThePhysicalIdentity) {
    detail::DeviceIdentity usb;
    usb.usb = true;
    usb.vendor = 0x046d, usb.product = 0x085c;
    usb.serial = "A1B2", usb.portPath = "1-1.2", usb.interfaceNumber = "00";
    EXPECT_EQ(detail::BuildDisplayName(usb), L"usb-VID_046D&PID_085C-A1B2-1-1.2-if00-video-index0");
    usb.serial.clear();
    EXPECT_EQ(detail::BuildDisplayName(usb),
              L"usb-VID_046D&PID_085C-noserial-1-1.2-if00-video-index0");
    detail::DeviceIdentity platform;
    platform.physicalPath = "platform-vivid.0";
    EXPECT_EQ(detail::BuildDisplayName(platform), L"platform-vivid.0-video-index0");
}

}  // namespace
