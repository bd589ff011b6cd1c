// The tour's camera steps: the camera window on the virtual camera for the selected patient (the
// single view, a still's flash, the four-pane view with three captures and a stamped still,
// recording with the clock running), Exit filing the captures into the media list, and the setup
// dialog over the camera window in setup mode.
#pragma once

#include <functional>
#include <string>

#include "app/CDlgOperationRoom.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/testing/UiTesting.h"

namespace tour {

// Saves one screenshot of the tour under `name`.
using SaveScreenshot = std::function<void(const ui::Bitmap& picture, const std::string& name)>;
// Records a problem when `condition` is false.
using CheckStep = std::function<void(bool condition, const char* what)>;

// Runs the camera steps from the main window, which has a patient selected.
void CameraSteps(CDlgOperationRoom& room, ui::testing::ModalWindow& window,
                 const SaveScreenshot& save, const CheckStep& check);

}  // namespace tour
