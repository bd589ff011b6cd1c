// Shrinking a picture by area averaging, the window layer's half-tone stretch when a picture
// gets smaller both ways: each target pixel is the mean of the source area it covers, source
// pixels that lie partly inside weighted by the part inside.
#pragma once

#include <QImage>

namespace ui::detail {

// Whether ShrinkByAreaAverage takes `source` to `width` x `height`: a 24-bit (blue, green, red)
// or 32-bit (blue, green, red, unused) picture, no side growing.
bool CanShrinkByAreaAverage(const QImage& source, int width, int height);

// `source` shrunk to `width` x `height` (both positive), as a 24-bit picture.
QImage ShrinkByAreaAverage(const QImage& source, int width, int height);

}  // namespace ui::detail
