// The setup dialog's rules without the dialog: the three adjustment sliders (a value the camera
// takes is stored as its distance above the range minimum; one it refuses changes nothing),
// Reset Default (the camera's defaults, never written to the configuration), and the two format
// lists with their stored indices. It works on the camera window's graph and the configuration
// file; restarting the preview after a capture format change is the caller's.
//
// UI thread (the graph's).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "camera/CameraConfiguration.h"

struct CaptureGraph;

class CameraSettings {
  public:
    CameraSettings(CaptureGraph& graph, std::wstring configurationPath);

    struct Slider {
        bool supported = false;  // a camera without the range shows no slider
        int32_t min = 0;
        int32_t max = 0;
        int32_t step = 0;
        int32_t position = 0;  // the stored value above the minimum, else the current value
    };
    Slider InitialSlider(const cameraconfig::Adjustment& adjustment) const;
    // A slider's scroll notification: only the end of tracking (a drag, click or key move that
    // is finished) sets `position` on the camera; when the camera takes it, its value above the
    // minimum is stored. Returns whether the camera took a value.
    bool OnSliderScroll(const cameraconfig::Adjustment& adjustment, int code, int32_t position);
    // Each supported adjustment in order: `moveSlider(adjustment, default)`, then the default
    // set on the camera; stops at the first the camera refuses. The configuration is not
    // written, so the next camera window starts from the stored values again.
    void ResetDefaults(
        const std::function<void(const cameraconfig::Adjustment&, int32_t)>& moveSlider);

    // "%d x %d" of each listed format.
    std::vector<std::wstring> RecordFormatTexts() const;
    std::vector<std::wstring> CaptureFormatTexts() const;
    // The stored indices, as they are (unmasked), into the graph's current indices; a key that
    // cannot be read leaves its index alone.
    void LoadFormatIndices();
    // Stores a list's selection (-1 for none, stored as 0xFF) as its index key and the graph's
    // current index.
    void ChooseRecordFormat(int selection);
    void ChooseCaptureFormat(int selection);

  private:
    CaptureGraph& mGraph;
    std::wstring mStringConfigPath;
};
