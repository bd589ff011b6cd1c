// Internal: the capture layer's GStreamer debug category, "sorvanti-capture". Every failure of
// this layer is logged there (GST_DEBUG=sorvanti-capture:2 shows warnings and errors); it is
// registered by EnsureGstreamer, so log only after that has succeeded.
#pragma once

#include <gst/gst.h>

GST_DEBUG_CATEGORY_EXTERN(sorvanti_capture_debug);
#define GST_CAT_DEFAULT sorvanti_capture_debug
