// The stamp a capture carries: its name in green at the top-left corner and, on a clip's poster
// (a name holding a capital V), a double play mark below it.
#pragma once

#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"

// The stamp's font, "Courier New" at 25 points.
ui::Font CaptureStampFont();

// Draws the stamp of `name` onto `bitmap` with `font`.
void StampCapture(ui::Bitmap& bitmap, const std::wstring& name, const ui::Font& font);
