// Logs a pipeline's errors and warnings, and writes its graph at each state change when asked.
// The graph is written by this code (gst_debug_bin_to_dot_data) rather than through
// GST_DEBUG_DUMP_DOT_DIR, which GStreamer reads only once at initialisation: the folder is
// taken from the environment whenever a pipeline starts.
#include "platform/capture/PipelineDebug.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/capture/DebugCategory.h"
#include "platform/capture/GstPtr.h"

namespace capture::detail {
namespace {

void LogProblem(GstMessage* message) {
    const bool isError = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
    GError* error = nullptr;
    gchar* debug = nullptr;
    if (isError) {
        gst_message_parse_error(message, &error, &debug);
    } else {
        gst_message_parse_warning(message, &error, &debug);
    }
    ErrorPtr ownedError(error);
    CharPtr ownedDebug(debug);
    CharPtr path(gst_object_get_path_string(GST_MESSAGE_SRC(message)));
    GST_CAT_LEVEL_LOG(GST_CAT_DEFAULT, isError ? GST_LEVEL_ERROR : GST_LEVEL_WARNING,
                      GST_MESSAGE_SRC(message), "%s from %s: %s (%s)",
                      isError ? "error" : "warning", path.get(), error ? error->message : "?",
                      debug ? debug : "");
}

// Time since the process wrote its first graph, the prefix of graph file names, so one run's
// files sort in the order they were written.
GstClockTime SinceFirstGraph() {
    static const GstClockTime start = gst_util_get_timestamp();
    return gst_util_get_timestamp() - start;
}

// Writes <time>-<pipeline>.<old state>_<new state>.dot into `folder`.
void DumpGraph(GstBin* pipeline, GstMessage* message, const std::filesystem::path& folder) {
    GstState from = GST_STATE_VOID_PENDING;
    GstState to = GST_STATE_VOID_PENDING;
    gst_message_parse_state_changed(message, &from, &to, nullptr);
    CharPtr name(g_strdup_printf("%" GST_TIME_FORMAT "-%s.%s_%s.dot",
                                 GST_TIME_ARGS(SinceFirstGraph()), GST_OBJECT_NAME(pipeline),
                                 gst_element_state_get_name(from), gst_element_state_get_name(to)));
    CharPtr graph(gst_debug_bin_to_dot_data(pipeline, GST_DEBUG_GRAPH_SHOW_ALL));
    const std::string path = (folder / name.get()).string();
    GError* error = nullptr;
    if (!g_file_set_contents(path.c_str(), graph.get(), -1, &error)) {
        ErrorPtr owned(error);
        GST_WARNING_OBJECT(pipeline, "cannot write the graph to %s: %s", path.c_str(),
                           owned ? owned->message : "?");
    }
}

// `data` is the graph folder, or nullptr when graphs are not wanted.
GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer data) {
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_ERROR:
        case GST_MESSAGE_WARNING:
            LogProblem(message);
            break;
        case GST_MESSAGE_STATE_CHANGED:
            if (data != nullptr && GST_IS_PIPELINE(GST_MESSAGE_SRC(message))) {
                DumpGraph(GST_BIN(GST_MESSAGE_SRC(message)), message,
                          *static_cast<const std::filesystem::path*>(data));
            }
            break;
        default:
            break;
    }
    return GST_BUS_PASS;
}

void FreeFolder(gpointer data) {
    delete static_cast<std::filesystem::path*>(data);
}

// The graph folder from the environment, created when missing; nullptr when none is wanted
// or it cannot be created.
std::filesystem::path* GraphFolder(GstElement* pipeline) {
    const char* value = std::getenv(kPipelineDotVariable);
    if (value == nullptr || *value == '\0') {
        return nullptr;
    }
    std::filesystem::path folder(value);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        GST_WARNING_OBJECT(pipeline, "%s: cannot create %s: %s; no graphs are written",
                           kPipelineDotVariable, value, error.message().c_str());
        return nullptr;
    }
    return new std::filesystem::path(std::move(folder));
}

}  // namespace

void InstallDebugHooks(GstElement* pipeline) {
    BusPtr bus(gst_element_get_bus(pipeline));
    gst_bus_set_sync_handler(bus.get(), &OnMessage, GraphFolder(pipeline), &FreeFolder);
}

}  // namespace capture::detail
