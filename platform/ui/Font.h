// A font as the windows ask for it: a face name and a size in tenths of a point. The face
// names of the program ("Courier New", "Lucida Console") resolve to metric-compatible fonts of
// the system; sizes convert to pixels at 96 dots per inch, as on the program's displays.
#pragma once

#include <string>

namespace ui {

struct Font {
    std::wstring faceName = L"Courier New";
    int tenthsOfPoint = 80;
    bool bold = false;

    // Character height in pixels: tenths of a point at 96 dpi, rounded.
    int PixelHeight() const { return (tenthsOfPoint * 96 + 360) / 720; }
    bool operator==(const Font&) const = default;
};

}  // namespace ui
