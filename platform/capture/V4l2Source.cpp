// A V4L2 capture device: formats from VIDIOC_ENUM_FMT/FRAMESIZES/FRAMEINTERVALS in device
// order, the amplifier through the control ioctls, the extension unit through
// UVCIOC_CTRL_QUERY with the unit found by its GUID in the USB descriptors, and v4l2src for
// the stream.
#include "platform/capture/V4l2Source.h"

#include <fcntl.h>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/capture/Caps.h"
#include "platform/capture/DebugCategory.h"
#include "platform/capture/GstPtr.h"
#include "platform/capture/KsControl.h"
#include "platform/capture/UvcDescriptors.h"
#include "platform/capture/V4l2Formats.h"

namespace capture {
namespace {

int Ioctl(int descriptor, unsigned long request, void* argument) {
    int result;
    do {
        result = ioctl(descriptor, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

// The V4L2 control of each amplifier property; 0 where V4L2 has none.
constexpr uint32_t kControlOfProperty[kProcAmpPropertyCount] = {
    V4L2_CID_BRIGHTNESS,
    V4L2_CID_CONTRAST,
    V4L2_CID_HUE,
    V4L2_CID_SATURATION,
    V4L2_CID_SHARPNESS,
    V4L2_CID_GAMMA,
    0,
    V4L2_CID_WHITE_BALANCE_TEMPERATURE,
    V4L2_CID_BACKLIGHT_COMPENSATION,
    V4L2_CID_GAIN,
};

// The device's USB descriptors from sysfs (device descriptor and configurations).
std::vector<uint8_t> ReadUsbDescriptors(const std::string& node) {
    const std::string name = node.substr(node.find_last_of('/') + 1);
    std::ifstream in("/sys/class/video4linux/" + name + "/device/../descriptors", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

class UvcExtensionUnit final : public KsControl {
  public:
    UvcExtensionUnit(int descriptor, std::vector<uint8_t> descriptors)
        : mDescriptor(descriptor), mUsbDescriptors(std::move(descriptors)) {}

    Status KsProperty(const void* property, uint32_t propertyLength, void* data,
                      uint32_t dataLength, uint32_t& bytesReturned) override {
        bytesReturned = 0;
        if (property == nullptr || propertyLength < kKsNodePropertySize || data == nullptr ||
            dataLength > 0xFFFF) {
            return E_INVALIDARG;
        }
        const auto* request = static_cast<const uint8_t*>(property);
        Guid guid;
        std::memcpy(guid.data(), request, guid.size());
        const auto unit = detail::FindExtensionUnit(mUsbDescriptors, guid);
        const uint32_t flags = ReadLe32(request + 20);
        if (!unit || (flags != kKsPropertyGet && flags != kKsPropertySet)) {
            return E_FAIL;
        }
        uvc_xu_control_query query{};
        query.unit = *unit;
        query.selector = static_cast<uint8_t>(ReadLe32(request + 16));
        query.query = flags == kKsPropertyGet ? UVC_GET_CUR : UVC_SET_CUR;
        query.size = static_cast<uint16_t>(dataLength);
        query.data = static_cast<uint8_t*>(data);
        if (Ioctl(mDescriptor, UVCIOC_CTRL_QUERY, &query) < 0) {
            GST_WARNING("UVCIOC_CTRL_QUERY(unit %u, selector %u) failed: %s", query.unit,
                        query.selector, std::strerror(errno));
            return E_FAIL;
        }
        bytesReturned = flags == kKsPropertyGet ? dataLength : 0;
        return S_OK;
    }

  private:
    int mDescriptor;
    std::vector<uint8_t> mUsbDescriptors;
};

class V4l2Source final : public Source {
  public:
    V4l2Source(std::string node, int descriptor)
        : mNode(std::move(node)),
          mDescriptor(descriptor),
          mExtensionUnit(descriptor, ReadUsbDescriptors(mNode)),
          mFormat(CurrentFormat()) {}
    ~V4l2Source() override { close(mDescriptor); }

    std::vector<Capability> Capabilities() override {
        std::vector<Capability> capabilities;
        v4l2_fmtdesc format{};
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        for (format.index = 0; Ioctl(mDescriptor, VIDIOC_ENUM_FMT, &format) == 0; ++format.index) {
            v4l2_frmsizeenum size{};
            size.pixel_format = format.pixelformat;
            for (size.index = 0; Ioctl(mDescriptor, VIDIOC_ENUM_FRAMESIZES, &size) == 0;
                 ++size.index) {
                if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE) {
                    break;  // stepwise sizes: only the discrete ones are offered
                }
                capabilities.push_back({S_OK, DefaultType(format.pixelformat, size.discrete.width,
                                                          size.discrete.height)});
            }
        }
        return capabilities;
    }

    Status SetFormat(const MediaType& type) override {
        if (!detail::CapsFor(type)) {
            return E_FAIL;
        }
        mFormat = type;
        return S_OK;
    }

    const MediaType& Format() const override { return mFormat; }

    Status GetProcAmpRange(int property, ProcAmpRange& range) override {
        if (property < 0 || property >= kProcAmpPropertyCount ||
            kControlOfProperty[property] == 0) {
            return E_PROP_ID_UNSUPPORTED;
        }
        v4l2_queryctrl control{};
        control.id = kControlOfProperty[property];
        if (Ioctl(mDescriptor, VIDIOC_QUERYCTRL, &control) < 0 ||
            (control.flags & V4L2_CTRL_FLAG_DISABLED) != 0) {
            return E_PROP_ID_UNSUPPORTED;
        }
        range = {control.minimum, control.maximum, control.step, control.default_value,
                 kProcAmpFlagsManual};
        return S_OK;
    }

    Status SetProcAmp(int property, int32_t value, int32_t /*flags*/) override {
        if (property < 0 || property >= kProcAmpPropertyCount ||
            kControlOfProperty[property] == 0) {
            return E_PROP_ID_UNSUPPORTED;
        }
        v4l2_control control{kControlOfProperty[property], value};
        if (Ioctl(mDescriptor, VIDIOC_S_CTRL, &control) < 0) {
            GST_WARNING("VIDIOC_S_CTRL(%s, %d) failed: %s", mNode.c_str(), value,
                        std::strerror(errno));
            return E_FAIL;
        }
        return S_OK;
    }

    KsControl* ExtensionUnit() override { return &mExtensionUnit; }

    GstElement* CreateElement() override {
        const auto capsText = detail::CapsFor(mFormat);
        if (!capsText || !detail::EnsureGstreamer()) {
            return nullptr;
        }
        GstElement* bin = gst_bin_new(nullptr);
        GstElement* source = detail::MakeElement("v4l2src");
        GstElement* filter = detail::MakeElement("capsfilter");
        if (source == nullptr || filter == nullptr) {
            gst_object_unref(gst_object_ref_sink(bin));
            return nullptr;
        }
        g_object_set(source, "device", mNode.c_str(), nullptr);
        detail::CapsPtr caps(gst_caps_from_string(capsText->c_str()));
        g_object_set(filter, "caps", caps.get(), nullptr);
        gst_bin_add_many(GST_BIN(bin), source, filter, nullptr);
        gst_element_link(source, filter);
        detail::PadPtr pad(gst_element_get_static_pad(filter, "src"));
        gst_element_add_pad(bin, gst_ghost_pad_new("src", pad.get()));
        return bin;
    }

  private:
    // The format the device is set to now: the stream's format until one is chosen.
    MediaType CurrentFormat() {
        v4l2_format format{};
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (Ioctl(mDescriptor, VIDIOC_G_FMT, &format) < 0) {
            return {};
        }
        v4l2_streamparm parameters{};
        parameters.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        const bool timed = Ioctl(mDescriptor, VIDIOC_G_PARM, &parameters) == 0;
        const v4l2_fract& interval = parameters.parm.capture.timeperframe;
        return detail::MediaTypeOf(format.fmt.pix.pixelformat, format.fmt.pix.width,
                                   format.fmt.pix.height, timed ? interval.numerator : 0,
                                   timed ? interval.denominator : 0);
    }

    // A format at a size with the device's shortest frame interval there.
    MediaType DefaultType(uint32_t pixelFormat, uint32_t width, uint32_t height) {
        v4l2_frmivalenum interval{};
        interval.pixel_format = pixelFormat;
        interval.width = width;
        interval.height = height;
        if (Ioctl(mDescriptor, VIDIOC_ENUM_FRAMEINTERVALS, &interval) == 0 &&
            interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            return detail::MediaTypeOf(pixelFormat, width, height, interval.discrete.numerator,
                                       interval.discrete.denominator);
        }
        if (interval.type != V4L2_FRMIVAL_TYPE_DISCRETE) {
            return detail::MediaTypeOf(pixelFormat, width, height, interval.stepwise.min.numerator,
                                       interval.stepwise.min.denominator);
        }
        return detail::MediaTypeOf(pixelFormat, width, height, 0, 0);
    }

    std::string mNode;
    int mDescriptor;
    UvcExtensionUnit mExtensionUnit;
    MediaType mFormat;
};

}  // namespace

std::unique_ptr<Source> OpenV4l2Source(const std::string& node) {
    // The device's failures are logged to the capture category, which GStreamer's set-up
    // registers; a source is of no use without GStreamer anyway.
    if (!detail::EnsureGstreamer()) {
        return nullptr;
    }
    const int descriptor = open(node.c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    v4l2_capability capability{};
    const uint32_t caps =
        Ioctl(descriptor, VIDIOC_QUERYCAP, &capability) == 0
            ? (capability.capabilities & V4L2_CAP_DEVICE_CAPS ? capability.device_caps
                                                              : capability.capabilities)
            : 0;
    if ((caps & V4L2_CAP_VIDEO_CAPTURE) == 0) {
        close(descriptor);
        return nullptr;
    }
    return std::make_unique<V4l2Source>(node, descriptor);
}

bool IsCaptureNode(const std::string& node) {
    const int descriptor = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    v4l2_capability capability{};
    bool capture = false;
    if (Ioctl(descriptor, VIDIOC_QUERYCAP, &capability) == 0) {
        const uint32_t caps = capability.capabilities & V4L2_CAP_DEVICE_CAPS
                                  ? capability.device_caps
                                  : capability.capabilities;
        capture = (caps & V4L2_CAP_VIDEO_CAPTURE) != 0;
    }
    close(descriptor);
    return capture;
}

}  // namespace capture
