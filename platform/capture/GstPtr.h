// Internal: owning pointers for GStreamer and GLib objects, and one-time library set-up.
#pragma once

#include <gst/gst.h>

#include <memory>

namespace capture::detail {

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct SampleUnref {
    void operator()(GstSample* sample) const { gst_sample_unref(sample); }
};
struct CapsUnref {
    void operator()(GstCaps* caps) const { gst_caps_unref(caps); }
};
struct MessageUnref {
    void operator()(GstMessage* message) const { gst_message_unref(message); }
};
struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

using ElementPtr = std::unique_ptr<GstElement, ObjectUnref>;
using BusPtr = std::unique_ptr<GstBus, ObjectUnref>;
using PadPtr = std::unique_ptr<GstPad, ObjectUnref>;
using SamplePtr = std::unique_ptr<GstSample, SampleUnref>;
using CapsPtr = std::unique_ptr<GstCaps, CapsUnref>;
using MessagePtr = std::unique_ptr<GstMessage, MessageUnref>;
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;
using CharPtr = std::unique_ptr<gchar, GFree>;

// Initialises GStreamer and registers the capture debug category, once per process; false
// when GStreamer cannot be initialised.
bool EnsureGstreamer();

// Creates an element of `factory`, or nullptr (logged as an error) when the plug-in is
// missing. The reference is floating until the element is added to a bin.
GstElement* MakeElement(const char* factory, const char* name = nullptr);

}  // namespace capture::detail
