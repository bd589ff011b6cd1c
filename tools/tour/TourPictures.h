// Sample pictures for the screenshot tour: identity portraits and capture thumbnails, drawn so
// that the tour shows a realistic workstation without shipping image files.
#pragma once

#include <string>

#include "platform/ui/Bitmap.h"

namespace tour {

// A head-and-shoulders silhouette on a coloured backdrop, width x height.
ui::Bitmap Portrait(int width, int height, ui::Color backdrop, ui::Color clothing);
// A capture picture of width x height: a skin-toned field with a lesion-like mark, stamped
// with the capture's name (and a clip's play mark) as the camera stamps it.
ui::Bitmap Capture(int width, int height, int variant, const std::wstring& name);

}  // namespace tour
