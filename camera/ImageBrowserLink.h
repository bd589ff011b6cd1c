// The camera window's way to the image browser (CDlgImageBrowser): the browser runs modally over
// the camera window on the captures not yet filed, with the record store and the patient.
#pragma once

#include <cstdint>
#include <string>

class DATABASECONTEXT;

namespace ui {
class Window;
}  // namespace ui

// Runs the image browser over `parent` on the captures in `imageFolder` and `videoFolder` (the
// Temp folders, each ending in a separator). The review windows are not linked into this build
// yet: until they are, it returns at once.
void OpenImageBrowser(ui::Window* parent, DATABASECONTEXT* recordStore,
                      int32_t customerSerialNumber, const std::wstring& imageFolder,
                      const std::wstring& videoFolder);
