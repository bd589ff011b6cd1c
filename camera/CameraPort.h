// What the camera window's rules ask of the opened camera: preview, recording, stills, the
// four-pane view and the recording state shown on the camera. The camera manager provides it
// over the real device; tests of the rules provide their own.
#pragma once

#include <cstdint>
#include <string>

class CameraPort {
  public:
    virtual ~CameraPort() = default;

    // Starts the preview; false when the graph did not start.
    virtual bool StartPreview() = 0;
    // Starts recording into `aviPath` with the preview running; false when the graph did not
    // start (nothing is recorded then). The clip's poster is taken from its first frame.
    virtual bool StartRecording(const std::wstring& aviPath) = 0;
    // Stops the graph; a recording's file is finished first, and its poster taken if it was not
    // yet.
    virtual void StopGraph() = 0;
    // The poster of the last recording ("<clip title>.bmp"); empty when it could not be taken.
    virtual std::wstring PosterName() const = 0;

    // Takes a still into Temp and shows it in the four-pane view; false when none was saved.
    virtual bool CaptureStill() = 0;
    // Shows a capture of the Temp images folder in the four-pane view (nothing in the single
    // view).
    virtual void AddToQuad(const std::wstring& fileName) = 0;
    virtual bool SingleView() const = 0;
    virtual void EnterQuadView() = 0;
    virtual void EnterSingleView() = 0;

    // Tells the camera the recording state (2 recording, 0 not); called on a worker thread.
    virtual void TellRecordingState(uint32_t value) = 0;
};
