// The moment a modal window starts its run: the testing harness hooks in here to act on it.
#pragma once

#include <QWidget>
#include <functional>

namespace ui {
class Dialog;
}

namespace ui::detail {

struct ModalStart {
    QWidget* widget;  // the modal window
    Dialog* dialog;   // the program's dialog, or null for a standard box or file dialog
};

using ModalHook = std::function<void(const ModalStart&)>;

// Installs `hook` (empty: none); UI thread.
void SetModalHook(ModalHook hook);
// Called by every modal run right before its event loop starts.
void NotifyModalStart(const ModalStart& start);

}  // namespace ui::detail
