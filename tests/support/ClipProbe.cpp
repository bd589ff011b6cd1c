#include "tests/support/ClipProbe.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>

ClipInfo ProbeClip(const std::string& path) {
    ClipInfo info;
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    const std::string description =
        "filesrc location=\"" + path + "\" ! avidemux ! jpegdec ! appsink name=sink sync=false";
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (pipeline == nullptr) {
        g_clear_error(&error);
        return info;
    }
    GstElement* sink = gst_bin_get_by_name(GST_BIN(pipeline), "sink");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    // A time-out ends the loop too, so a file that fails to decode cannot hang the test.
    while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 2 * GST_SECOND)) {
        if (info.frames++ == 0) {
            GstStructure* structure = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
            gst_structure_get_int(structure, "width", &info.width);
            gst_structure_get_int(structure, "height", &info.height);
        }
        gst_sample_unref(sample);
    }
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* end = gst_bus_timed_pop_filtered(
        bus, GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    info.decoded = end != nullptr && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
    if (end != nullptr) {
        gst_message_unref(end);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
    return info;
}
