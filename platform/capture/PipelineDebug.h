// Internal: what a capture pipeline tells a developer. Every error and warning an element of
// the pipeline posts is logged to the capture debug category as it is posted, naming the
// element and the message; with the environment variable SORVANTI_PIPELINE_DOT set to a
// folder, the pipeline's graph is written there as a .dot file at each of its state changes.
#pragma once

#include <gst/gst.h>

namespace capture::detail {

inline constexpr char kPipelineDotVariable[] = "SORVANTI_PIPELINE_DOT";

// Installs the hooks as the synchronous handler of `pipeline`'s bus; messages still reach the
// bus's queue. The variable is read now; a missing folder is created, and one that cannot be
// is logged and leaves the graph undumped. Call from the pipeline's owner before it leaves
// the NULL state.
void InstallDebugHooks(GstElement* pipeline);

}  // namespace capture::detail
