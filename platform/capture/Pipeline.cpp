#include "platform/capture/Pipeline.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <condition_variable>
#include <cstring>
#include <mutex>

#include "platform/capture/DebugCategory.h"
#include "platform/capture/GstPtr.h"
#include "platform/capture/PipelineDebug.h"

namespace capture {

using detail::BusPtr;
using detail::ElementPtr;
using detail::MakeElement;
using detail::MessagePtr;
using detail::SamplePtr;

namespace {

// How long Start waits for the first frame before it reports success anyway (a camera may be
// slow to deliver); an error within this time fails the start.
constexpr auto kFirstFrameTimeout = std::chrono::seconds(3);

// Whether a mapped frame holds every row its format describes; a shorter buffer is skipped
// rather than read past its end.
bool HoldsFrame(const GstMapInfo& map, const GstVideoInfo& info) {
    return map.size >= GST_VIDEO_INFO_SIZE(&info);
}

}  // namespace

struct Pipeline::Impl {
    ElementPtr pipeline;
    bool recording = false;
    FrameCallback preview;

    // The grabber: the newest frame only.
    mutable std::mutex mutex;
    std::condition_variable firstFrame;
    SamplePtr newest;
    GstVideoInfo info{};

    static GstFlowReturn OnNewSample(GstAppSink* sink, gpointer self) {
        static_cast<Impl*>(self)->Take(SamplePtr(gst_app_sink_pull_sample(sink)));
        return GST_FLOW_OK;
    }

    void Take(SamplePtr sample) {
        if (!sample) {
            return;
        }
        GstVideoInfo sampleInfo;
        if (!gst_video_info_from_caps(&sampleInfo, gst_sample_get_caps(sample.get()))) {
            return;
        }
        GstSample* raw = gst_sample_ref(sample.get());
        {
            std::lock_guard lock(mutex);
            newest.reset(raw);
            info = sampleInfo;
        }
        firstFrame.notify_all();
        if (preview) {
            GstMapInfo map;
            GstBuffer* buffer = gst_sample_get_buffer(sample.get());
            if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
                if (HoldsFrame(map, sampleInfo)) {
                    preview(FrameView{map.data, GST_VIDEO_INFO_WIDTH(&sampleInfo),
                                      GST_VIDEO_INFO_HEIGHT(&sampleInfo),
                                      GST_VIDEO_INFO_PLANE_STRIDE(&sampleInfo, 0)});
                }
                gst_buffer_unmap(buffer, &map);
            }
        }
    }

    // Builds the elements into the pipeline; false when an element is missing or a link fails.
    bool Build(Source& source, const std::string& aviPath) {
        GstBin* bin = GST_BIN(pipeline.get());
        const bool compressed = source.Format().IsCompressed();
        GstElement* src = source.CreateElement();
        GstElement* tee = MakeElement("tee", "split");
        GstElement* previewQueue = MakeElement("queue", "preview-queue");
        GstElement* decoder = compressed ? MakeElement("jpegdec", "preview-decoder") : nullptr;
        GstElement* convert = MakeElement("videoconvert", "preview-convert");
        GstElement* grabber = MakeElement("appsink", "SampleGrab");
        GstElement* elements[] = {src, tee, previewQueue, convert, grabber};
        for (GstElement* element : elements) {
            if (element == nullptr) {
                return false;
            }
            gst_bin_add(bin, element);
        }
        if (compressed && decoder == nullptr) {
            return false;
        }
        // The preview may drop frames when the screen is slow; the recording never does.
        g_object_set(previewQueue, "leaky", 2, "max-size-buffers", 2u, "max-size-bytes", 0u,
                     "max-size-time", guint64{0}, nullptr);
        detail::CapsPtr bgr(
            gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr));
        g_object_set(grabber, "caps", bgr.get(), "sync", FALSE, "max-buffers", 1u, "drop", TRUE,
                     nullptr);
        GstAppSinkCallbacks callbacks{};
        callbacks.new_sample = &Impl::OnNewSample;
        gst_app_sink_set_callbacks(GST_APP_SINK(grabber), &callbacks, this, nullptr);

        bool linked = gst_element_link_many(src, tee, previewQueue, nullptr);
        if (decoder != nullptr) {
            gst_bin_add(bin, decoder);
            linked = linked && gst_element_link_many(previewQueue, decoder, convert, nullptr);
        } else {
            linked = linked && gst_element_link(previewQueue, convert);
        }
        linked = linked && gst_element_link(convert, grabber);
        if (!linked || aviPath.empty()) {
            return linked;
        }

        GstElement* recordQueue = MakeElement("queue", "record-queue");
        GstElement* encoder = compressed ? nullptr : MakeElement("jpegenc", "record-encoder");
        GstElement* mux = MakeElement("avimux", "record-mux");
        GstElement* file = MakeElement("filesink", "record-file");
        if (recordQueue == nullptr || mux == nullptr || file == nullptr ||
            (!compressed && encoder == nullptr)) {
            return false;
        }
        g_object_set(recordQueue, "max-size-buffers", 0u, "max-size-bytes", 0u, "max-size-time",
                     guint64{3} * GST_SECOND, nullptr);
        g_object_set(file, "location", aviPath.c_str(), nullptr);
        gst_bin_add_many(bin, recordQueue, mux, file, nullptr);
        if (encoder != nullptr) {
            gst_bin_add(bin, encoder);
            return gst_element_link_many(tee, recordQueue, encoder, mux, file, nullptr);
        }
        return gst_element_link_many(tee, recordQueue, mux, file, nullptr);
    }

    // Waits for the first frame; false when the bus reports an error first (the error is
    // logged as it is posted).
    bool AwaitFirstFrame() {
        BusPtr bus(gst_element_get_bus(pipeline.get()));
        const auto deadline = std::chrono::steady_clock::now() + kFirstFrameTimeout;
        for (;;) {
            if (MessagePtr(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR))) {
                return false;
            }
            std::unique_lock lock(mutex);
            if (newest || std::chrono::steady_clock::now() >= deadline) {
                return true;
            }
            firstFrame.wait_for(lock, std::chrono::milliseconds(20));
        }
    }

    // Ends a recording with end-of-stream and waits until every sink has it (the AVI header
    // and index are then written), at most kFinishTimeout. A stream that failed (a camera
    // pulled out) has already ended itself: its errors were logged as they were posted and its
    // end-of-stream is still waited for.
    void FinishRecording() {
        gst_element_send_event(pipeline.get(), gst_event_new_eos());
        BusPtr bus(gst_element_get_bus(pipeline.get()));
        const auto deadline = std::chrono::steady_clock::now() + kFinishTimeout;
        for (;;) {
            const auto left = deadline - std::chrono::steady_clock::now();
            MessagePtr message(
                left.count() <= 0
                    ? nullptr
                    : gst_bus_timed_pop_filtered(
                          bus.get(),
                          std::chrono::duration_cast<std::chrono::nanoseconds>(left).count(),
                          static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
            if (!message) {
                GST_WARNING_OBJECT(pipeline.get(), "recording not finished within %lld s",
                                   static_cast<long long>(kFinishTimeout.count()));
                return;
            }
            if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS) {
                return;
            }
        }
    }
};

Pipeline::Pipeline() : mImpl(std::make_unique<Impl>()) {}

Pipeline::~Pipeline() {
    Stop();
}

Status Pipeline::Start(Source& source, const std::string& aviPath, FrameCallback preview) {
    Stop();
    if (!detail::EnsureGstreamer()) {
        return E_FAIL;
    }
    {
        std::lock_guard lock(mImpl->mutex);
        mImpl->newest.reset();
    }
    mImpl->preview = std::move(preview);
    mImpl->recording = !aviPath.empty();
    mImpl->pipeline.reset(GST_ELEMENT(gst_object_ref_sink(gst_pipeline_new("capture-graph"))));
    GstElement* pipeline = mImpl->pipeline.get();
    detail::InstallDebugHooks(pipeline);
    if (!mImpl->Build(source, aviPath)) {
        GST_ERROR_OBJECT(pipeline, "cannot build the graph: an element is missing or unlinked");
    } else if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        GST_ERROR_OBJECT(pipeline, "cannot start the graph");
    } else if (mImpl->AwaitFirstFrame()) {
        return S_OK;
    }
    mImpl->recording = false;
    Stop();
    return E_FAIL;
}

void Pipeline::Stop() {
    if (!mImpl->pipeline) {
        return;
    }
    if (mImpl->recording) {
        mImpl->FinishRecording();
    }
    gst_element_set_state(mImpl->pipeline.get(), GST_STATE_NULL);
    mImpl->pipeline.reset();
    mImpl->recording = false;
    mImpl->preview = nullptr;
}

Status Pipeline::GetCurrentBuffer(std::vector<uint8_t>& buffer) const {
    SamplePtr sample;
    GstVideoInfo info;
    {
        std::lock_guard lock(mImpl->mutex);
        if (!mImpl->newest) {
            return VFW_E_WRONG_STATE;
        }
        sample.reset(gst_sample_ref(mImpl->newest.get()));
        info = mImpl->info;
    }
    const int width = GST_VIDEO_INFO_WIDTH(&info);
    const int height = GST_VIDEO_INFO_HEIGHT(&info);
    const int sourceStride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
    const int stride = (width * 3 + 3) & ~3;
    GstMapInfo map;
    GstBuffer* frame = gst_sample_get_buffer(sample.get());
    if (!gst_buffer_map(frame, &map, GST_MAP_READ)) {
        return E_FAIL;
    }
    if (!HoldsFrame(map, info)) {
        gst_buffer_unmap(frame, &map);
        return E_FAIL;
    }
    buffer.assign(static_cast<std::size_t>(stride) * height, 0);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = map.data + static_cast<std::size_t>(row) * sourceStride;
        uint8_t* to = buffer.data() + static_cast<std::size_t>(height - 1 - row) * stride;
        for (int column = 0; column < width; ++column, from += 4, to += 3) {
            to[0] = from[0], to[1] = from[1], to[2] = from[2];
        }
    }
    gst_buffer_unmap(frame, &map);
    return S_OK;
}

bool Pipeline::GetConnectedFormat(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const {
    std::lock_guard lock(mImpl->mutex);
    if (!mImpl->newest) {
        return false;
    }
    width = GST_VIDEO_INFO_WIDTH(&mImpl->info);
    height = GST_VIDEO_INFO_HEIGHT(&mImpl->info);
    bitsPerPixel = 24;
    return true;
}

}  // namespace capture
