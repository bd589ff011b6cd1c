// One-time GStreamer set-up with the capture debug category, and element creation.
#include "platform/capture/GstPtr.h"

#include <mutex>

#include "platform/capture/DebugCategory.h"

GST_DEBUG_CATEGORY(sorvanti_capture_debug);

namespace capture::detail {

bool EnsureGstreamer() {
    static std::once_flag once;
    static bool initialised = false;
    std::call_once(once, [] {
        GError* error = nullptr;
        initialised = gst_init_check(nullptr, nullptr, &error);
        if (!initialised) {
            // Without GStreamer there is no debug system to report to.
            ErrorPtr owned(error);
            g_warning("gst_init_check failed: %s", owned ? owned->message : "unknown error");
            return;
        }
        GST_DEBUG_CATEGORY_INIT(sorvanti_capture_debug, "sorvanti-capture", 0,
                                "Sorvanti camera capture");
    });
    return initialised;
}

GstElement* MakeElement(const char* factory, const char* name) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (element == nullptr) {
        GST_ERROR("gst_element_factory_make(%s) failed: plug-in missing", factory);
    }
    return element;
}

}  // namespace capture::detail
