// The virtual camera's device side: its stream, amplifier and extension unit.
//
//   videotestsrc (live, moving bars) -> raw caps -> videobalance -> [jpegenc] -> src
//
// The amplifier's values drive videobalance, so the picture really changes. A camera that is
// unplugged ends its stream with an error, as a real one does when it is pulled out: its next
// frame fails with a read error, and the test source then sends end-of-stream, so a recording
// finishes its file.
#include <gst/gst.h>

#include <algorithm>
#include <cstring>

#include "platform/capture/Caps.h"
#include "platform/capture/GstPtr.h"
#include "platform/capture/KsControl.h"
#include "platform/capture/VirtualDevices.h"
#include "platform/capture/VirtualState.h"

namespace capture {
namespace {

using State = testing::VirtualCamera::State;

constexpr uint32_t kIdentitySelector = 0x10;
constexpr uint32_t kKeyStateSelector = 0x12;
constexpr uint32_t kClockSelector = 0x13;

// The videobalance setting of an amplifier value (videobalance: brightness and hue -1..1,
// contrast and saturation 0..2 with 1 neutral).
void ApplyBalance(GstElement* balance, const VirtualCameraConfig& config,
                  const std::array<int32_t, kProcAmpPropertyCount>& current) {
    auto scaled = [&](int property, double neutral, double span, double low, double high) {
        const auto& range = config.procAmp[property];
        if (!range || range->max == range->min) {
            return neutral;
        }
        const double offset = current[property] - range->defaultValue;
        return std::clamp(neutral + offset * span / (range->max - range->min), low, high);
    };
    g_object_set(balance, "brightness", scaled(kBrightness, 0.0, 1.0, -1.0, 1.0), "contrast",
                 scaled(kContrast, 1.0, 2.0, 0.0, 2.0), "saturation",
                 scaled(kSaturation, 1.0, 2.0, 0.0, 2.0), "hue", scaled(kHue, 0.0, 1.0, -1.0, 1.0),
                 nullptr);
}

class VirtualKsControl final : public KsControl {
  public:
    explicit VirtualKsControl(std::shared_ptr<State> state) : mState(std::move(state)) {}

    Status KsProperty(const void* property, uint32_t propertyLength, void* data,
                      uint32_t dataLength, uint32_t& bytesReturned) override {
        bytesReturned = 0;
        if (property == nullptr || propertyLength < kKsNodePropertySize || data == nullptr) {
            return E_INVALIDARG;
        }
        const auto* request = static_cast<const uint8_t*>(property);
        const uint32_t selector = ReadLe32(request + 16);
        const uint32_t flags = ReadLe32(request + 20);
        std::lock_guard lock(mState->mutex);
        ++mState->unitRequests;
        const VirtualCameraConfig& config = mState->config;
        if (!mState->present || !config.hasExtensionUnit ||
            !std::equal(config.extensionUnitGuid.begin(), config.extensionUnitGuid.end(),
                        request)) {
            return E_FAIL;
        }
        uint8_t* control = nullptr;
        uint8_t keyState[4] = {};
        uint32_t length = 0;
        switch (selector) {
            case kIdentitySelector:
                control = mState->config.identity.data(), length = 16;
                break;
            case kClockSelector:
                control = mState->config.clock.data(), length = 8;
                break;
            case kKeyStateSelector:
                std::memcpy(keyState, &mState->keyState, 4);
                control = keyState, length = 4;
                break;
            default:
                return E_PROP_ID_UNSUPPORTED;
        }
        if (dataLength < length) {
            return E_INVALIDARG;
        }
        if (flags == kKsPropertyGet) {
            std::memcpy(data, control, length);
            bytesReturned = length;
            return S_OK;
        }
        if (flags != kKsPropertySet) {
            return E_INVALIDARG;
        }
        const auto* payload = static_cast<const uint8_t*>(data);
        mState->unitWrites.push_back({selector, std::vector<uint8_t>(payload, payload + length)});
        if (selector == kKeyStateSelector) {
            mState->recordingState = ReadLe32(payload);  // the host's recording state
        } else {
            std::memcpy(control, payload, length);
        }
        return S_OK;
    }

  private:
    std::shared_ptr<State> mState;
};

class VirtualSource final : public Source {
  public:
    // Streams its first format until another is set; a camera configured without formats
    // opens with none, and the graph refuses it as it refuses any camera without a usable
    // format.
    explicit VirtualSource(std::shared_ptr<State> state)
        : mState(std::move(state)), mKsControl(mState) {
        if (!mState->config.formats.empty()) {
            mFormat = mState->config.formats.front();
        }
    }

    std::vector<Capability> Capabilities() override {
        std::lock_guard lock(mState->mutex);
        std::vector<Capability> capabilities;
        for (const MediaType& type : mState->config.formats) {
            capabilities.push_back({S_OK, type});
        }
        return capabilities;
    }

    Status SetFormat(const MediaType& type) override {
        std::lock_guard lock(mState->mutex);
        const auto& formats = mState->config.formats;
        const bool offered = std::any_of(formats.begin(), formats.end(), [&](const MediaType& f) {
            return f.subtype == type.subtype && f.width == type.width && f.height == type.height;
        });
        if (!mState->present || !offered || !detail::CapsFor(type)) {
            return E_FAIL;
        }
        mFormat = type;
        return S_OK;
    }

    const MediaType& Format() const override { return mFormat; }

    Status GetProcAmpRange(int property, ProcAmpRange& range) override {
        std::lock_guard lock(mState->mutex);
        if (property < 0 || property >= kProcAmpPropertyCount ||
            !mState->config.procAmp[property]) {
            return E_PROP_ID_UNSUPPORTED;
        }
        range = *mState->config.procAmp[property];
        return S_OK;
    }

    Status SetProcAmp(int property, int32_t value, int32_t /*flags*/) override {
        std::lock_guard lock(mState->mutex);
        if (property < 0 || property >= kProcAmpPropertyCount ||
            !mState->config.procAmp[property]) {
            return E_PROP_ID_UNSUPPORTED;
        }
        const ProcAmpRange& range = *mState->config.procAmp[property];
        if (!mState->present || value < range.min || value > range.max ||
            mState->refused.count({property, value}) != 0) {
            return E_INVALIDARG;
        }
        mState->current[property] = value;
        mState->procAmpWrites.emplace_back(property, value);
        if (mBalance) {
            ApplyBalance(mBalance.get(), mState->config, mState->current);
        }
        return S_OK;
    }

    KsControl* ExtensionUnit() override {
        return mState->config.offersKsControl ? &mKsControl : nullptr;
    }

    GstElement* CreateElement() override {
        if (!detail::EnsureGstreamer()) {
            return nullptr;
        }
        GstElement* bin = gst_bin_new(nullptr);
        GstElement* source = detail::MakeElement("videotestsrc");
        GstElement* rawFilter = detail::MakeElement("capsfilter");
        GstElement* balance = detail::MakeElement("videobalance");
        GstElement* encoder = mFormat.IsCompressed() ? detail::MakeElement("jpegenc") : nullptr;
        GstElement* last = encoder != nullptr ? encoder : balance;
        if (source == nullptr || rawFilter == nullptr || balance == nullptr ||
            (mFormat.IsCompressed() && encoder == nullptr)) {
            gst_object_unref(gst_object_ref_sink(bin));
            return nullptr;
        }
        g_object_set(source, "is-live", TRUE, "pattern", 0, "horizontal-speed", 4, nullptr);
        MediaType raw = mFormat;
        if (raw.IsCompressed()) {
            raw.subtype = kSubtypeI420;
        }
        detail::CapsPtr caps(gst_caps_from_string(detail::CapsFor(raw).value_or("").c_str()));
        g_object_set(rawFilter, "caps", caps.get(), nullptr);
        gst_bin_add_many(GST_BIN(bin), source, rawFilter, balance, nullptr);
        gst_element_link_many(source, rawFilter, balance, nullptr);
        if (encoder != nullptr) {
            gst_bin_add(GST_BIN(bin), encoder);
            gst_element_link(balance, encoder);
        }
        {
            std::lock_guard lock(mState->mutex);
            ApplyBalance(balance, mState->config, mState->current);
        }
        mBalance.reset(GST_ELEMENT(gst_object_ref(balance)));
        detail::PadPtr pad(gst_element_get_static_pad(last, "src"));
        gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, &VirtualSource::DeliverFrame,
                          new std::shared_ptr<State>(mState), &VirtualSource::FreeProbeState);
        gst_element_add_pad(bin, gst_ghost_pad_new("src", pad.get()));
        return bin;
    }

  private:
    // A frame is counted and passed on while the camera is present. Once unplugged, it fails
    // with a read error posted on the bus; the failure goes back to the test source, which
    // stops and sends end-of-stream.
    static GstPadProbeReturn DeliverFrame(GstPad* pad, GstPadProbeInfo* info, gpointer state) {
        if ((*static_cast<std::shared_ptr<State>*>(state))->DeliverFrame()) {
            return GST_PAD_PROBE_OK;
        }
        if (GstElement* element = gst_pad_get_parent_element(pad)) {
            GST_ELEMENT_ERROR(element, RESOURCE, READ, ("The camera was unplugged."), (nullptr));
            gst_object_unref(element);
        }
        gst_buffer_unref(GST_PAD_PROBE_INFO_BUFFER(info));
        GST_PAD_PROBE_INFO_DATA(info) = nullptr;
        GST_PAD_PROBE_INFO_FLOW_RETURN(info) = GST_FLOW_ERROR;
        return GST_PAD_PROBE_HANDLED;
    }
    static void FreeProbeState(gpointer state) {
        delete static_cast<std::shared_ptr<State>*>(state);
    }

    std::shared_ptr<State> mState;
    VirtualKsControl mKsControl;
    MediaType mFormat;
    detail::ElementPtr mBalance;
};

}  // namespace

namespace detail {

std::unique_ptr<Source> OpenVirtualSource(const VideoDevice& device) {
    auto state = FindVirtualCamera(device);
    return state ? std::make_unique<VirtualSource>(std::move(state)) : nullptr;
}

}  // namespace detail
}  // namespace capture
