// The running graph of one camera: the source's stream, a grabber that keeps only the newest
// frame, the preview fed from that frame, and optionally an AVI recording of the stream. Started
// and stopped from one thread; the grabber may be read from any thread.
//
//   not recording:   source -> tee -> queue (leaky) -> [jpegdec] -> videoconvert -> BGRx grabber
//   recording:       source -> tee -> queue (leaky) -> [jpegdec] -> videoconvert -> BGRx grabber
//                                  \-> queue -> [jpegenc] -> avimux -> filesink
//
// The grabber holds 32-bit BGRx, the layout the screen paints without converting; a still is
// repacked to 24 bits when it is copied. The recording keeps a Motion-JPEG stream as it comes
// and encodes raw ones. Stop ends a
// recording with end-of-stream and waits (bounded) until the writer has finished the file, so
// an AVI is complete and playable after every stop.
//
// Debugging: the graph's failures, and every error or warning its elements post, are logged to
// the GStreamer debug category "sorvanti-capture" (GST_DEBUG=sorvanti-capture:2 shows them,
// :5 everything). With the environment variable SORVANTI_PIPELINE_DOT=<folder> set when Start
// runs, the graph is written into that folder (created when missing) at each of its state
// changes as <time>-capture-graph.<old>_<new>.dot, e.g. for `dot -Tsvg`. This layer writes the
// files itself rather than through GST_DEBUG_DUMP_DOT_DIR, which GStreamer reads only once
// when it is initialised: the variable counts from the next start on.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/capture/Source.h"
#include "platform/capture/Status.h"

namespace capture {

// A frame as the grabber holds it: 4 bytes per pixel (blue, green, red, unused), rows
// top-down, each row `stride` bytes. Valid only during the callback that receives it.
struct FrameView {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Called on the streaming thread for every frame the grabber takes.
using FrameCallback = std::function<void(const FrameView&)>;

class Pipeline {
  public:
    Pipeline();
    ~Pipeline();  // stops
    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    // Builds and runs the graph for `source` in its current format, recording into `aviPath`
    // unless it is empty. Waits (bounded) for the first frame or an error; a failure leaves
    // nothing running.
    Status Start(Source& source, const std::string& aviPath, FrameCallback preview);
    // Stops and removes everything; finishes a recording first. Harmless when stopped.
    void Stop();

    // A copy of the newest frame in the grabber's format: rows bottom-up, blue-green-red,
    // rows padded to 4 bytes. VFW_E_WRONG_STATE until the first frame has arrived.
    Status GetCurrentBuffer(std::vector<uint8_t>& buffer) const;
    // The grabber's connected format (24 bits); false before the first frame.
    bool GetConnectedFormat(int32_t& width, int32_t& height, int32_t& bitsPerPixel) const;

    // How long Stop waits for a recording to be finished.
    static constexpr std::chrono::seconds kFinishTimeout{2};

  private:
    struct Impl;
    std::unique_ptr<Impl> mImpl;
};

}  // namespace capture
