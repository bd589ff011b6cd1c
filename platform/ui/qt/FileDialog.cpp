// The open-file dialog on QFileDialog (Qt's own widget, so that it looks the same everywhere
// and can be driven in tests).
#include "platform/ui/FileDialog.h"

#include <QFileDialog>

#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/ModalHook.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {

bool ShowOpenFileDialog(const OpenFileRequest& request, std::wstring& path) {
    QFileDialog dialog(detail::TopLevelWidgetOf(request.owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // The one type entry lists every file: its description names the type, it has no pattern.
    dialog.setNameFilter(ToQString(request.typeDescription) + QStringLiteral(" (*)"));
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    detail::NotifyModalStart({&dialog, nullptr});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = FromQString(dialog.selectedFiles().front());
    return true;
}

}  // namespace ui
