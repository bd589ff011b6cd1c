#include "platform/capture/GstPtr.h"

#include <cstdio>
#include <mutex>

namespace capture::detail {

bool EnsureGstreamer() {
    static std::once_flag once;
    static bool initialised = false;
    std::call_once(once, [] {
        GError* error = nullptr;
        initialised = gst_init_check(nullptr, nullptr, &error);
        if (!initialised) {
            ErrorPtr owned(error);
            std::fprintf(stderr, "gst_init_check failed: %s\n",
                         owned ? owned->message : "unknown error");
        }
    });
    return initialised;
}

GstElement* MakeElement(const char* factory, const char* name) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (element == nullptr) {
        std::fprintf(stderr, "gst_element_factory_make(%s) failed: plug-in missing\n", factory);
    }
    return element;
}

}  // namespace capture::detail
