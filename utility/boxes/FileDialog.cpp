// The open-file dialog and its confirmation.
#include "utility/boxes/FileDialog.h"

#include <cwctype>

#include "platform/text/Format.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"

bool UTILITY_OpenFileDialog(std::wstring& path, const std::wstring& extension, bool confirm) {
    std::wstring lower = extension;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    ui::OpenFileRequest request;
    request.owner = ui::Application::Current() ? ui::Application::Current()->MainWindow() : nullptr;
    request.typeDescription = text::sprintf(L"%s File (*.%s)", lower, lower);
    request.defaultExtension = lower;
    std::wstring chosen;
    if (!ui::ShowOpenFileDialog(request, chosen)) {
        return false;
    }
    if (confirm && ui::MessageBox(nullptr, L"Are you sure want to load this file ?", L"",
                                  ui::kYesNo) != ui::kIdYes) {
        return false;
    }
    path = chosen;
    return true;
}
