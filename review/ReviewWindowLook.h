// The look the three review windows share: the window over the screen above the taskbar, the
// header band (Header, the Info band with the caption, Exit at the right edge), a row of face
// buttons 90 pixels apart, each sized to its picture, and the owner-drawn buttons painted as
// their picture or, for the Info band, the caption. UI thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ui/Dialog.h"

namespace reviewlook {

// An owner-drawn button and the picture it shows.
struct Face {
    int controlId;
    uint16_t bitmapId;
};

// The header band's three buttons.
struct Band {
    int header;
    int info;
    int exit;
};

// Sets the background and sizes the window to the screen's width and its height less the
// taskbar, keeping its centre.
void LayOutWindow(ui::Dialog& dialog, ui::Color background);
// Header at (0, 0, 130, 40), Info at (130, 0, infoWidth, 40) with the caption font, Exit at
// (screen width - 41, 0, 36, 40).
void PlaceBand(ui::Dialog& dialog, const Band& band, int infoWidth);
// The buttons of `row` from `origin` on, 90 pixels apart, each placed at 80 x 75 and then
// sized to its picture.
void PlaceFaceRow(ui::Dialog& dialog, std::span<const Face> row, ui::Point origin);
// Paints owner-drawn button `item` on the button colour: the header band picture, the close
// mark, the face of a button of `row`, or `caption` centred in white on the Info band.
void DrawButton(ui::DrawItem& item, const Band& band, std::span<const Face> row,
                const std::wstring& caption);

}  // namespace reviewlook
