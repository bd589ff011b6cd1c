// The camera's vendor extension unit: its identity, its clock, and the key-state control
// that reports the camera's two keys and takes the host's recording state. One process-wide
// instance; every operation is one request to the source's extension unit and may run on any
// thread while the graph runs.
#pragma once

#include <cstdint>
#include <string>

#include "platform/capture/Source.h"
#include "platform/capture/Status.h"

class Xu {
  public:
    // The instance, created on first use (safe when two threads ask at once).
    static Xu& Instance();
    virtual ~Xu() = default;

    // "1234 5678-CAM00001" from the identity control; "Unknown" when the request fails. When
    // the source offers no extension unit at all, `text` is left as it was.
    capture::Status GetId(capture::Source* sourceFilter, std::wstring& text);
    // Writes the fixed identity pattern.
    capture::Status SetId(capture::Source* sourceFilter);
    // "2024/06/15 14:45:30" from the clock control; "Unknown" when the request fails.
    capture::Status GetDateTime(capture::Source* sourceFilter, std::wstring& text);
    // Writes the fixed time 2015/11/25 18:48:05.
    capture::Status SetDateTime(capture::Source* sourceFilter);
    // The key state: 1 key A held, 2 key B held, anything else none.
    capture::Status GetKeyEvent(capture::Source* sourceFilter, uint32_t& value);
    // Tells the camera the recording state: 2 recording, 0 not.
    capture::Status SetRecordingState(capture::Source* sourceFilter, uint32_t value);

  private:
    Xu() = default;
};

// The key state as the setup dialog shows it: "01 00 00 00" (least significant byte first),
// or "Unknown" for a failed read.
std::wstring KeyStateText(capture::Status status, uint32_t value);
