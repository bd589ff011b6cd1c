// An opened video input device: its formats, its processing amplifier, its extension unit,
// and the pipeline element that produces its stream. Created for one camera window and used
// from its thread; the extension unit also from worker threads.
#pragma once

#include <memory>
#include <vector>

#include "platform/capture/KsControl.h"
#include "platform/capture/MediaType.h"
#include "platform/capture/ProcAmp.h"
#include "platform/capture/Status.h"
#include "platform/capture/VideoDevice.h"

struct _GstElement;

namespace capture {

class Source {
  public:
    virtual ~Source() = default;

    // Opens the device; nullptr when it is gone or not a capture device.
    static std::unique_ptr<Source> Open(const VideoDevice& device);

    // The device's capabilities in its own order. An entry that could not be queried is
    // reported with a failed status instead of a type.
    struct Capability {
        Status status = S_OK;
        MediaType type;
    };
    virtual std::vector<Capability> Capabilities() = 0;

    // The format the stream will use from the next start on.
    virtual Status SetFormat(const MediaType& type) = 0;
    virtual const MediaType& Format() const = 0;

    // Processing amplifier; an unsupported property fails its range query.
    virtual Status GetProcAmpRange(int property, ProcAmpRange& range) = 0;
    virtual Status SetProcAmp(int property, int32_t value, int32_t flags) = 0;

    // The extension-unit access; nullptr when the device offers none.
    virtual KsControl* ExtensionUnit() = 0;

    // For the pipeline: a new element (floating reference) producing the stream in Format().
    virtual _GstElement* CreateElement() = 0;
};

}  // namespace capture
