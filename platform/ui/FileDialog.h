// The platform's open-file dialog: one file-type entry, the chosen file must exist. UI thread.
#pragma once

#include <string>

#include "platform/ui/Window.h"

namespace ui {

struct OpenFileRequest {
    Window* owner = nullptr;
    std::wstring typeDescription;  // the one file-type entry, listing every file
    std::wstring defaultExtension;
};

// Shows the dialog modally; true and the chosen path, or false when cancelled.
bool ShowOpenFileDialog(const OpenFileRequest& request, std::wstring& path);

}  // namespace ui
