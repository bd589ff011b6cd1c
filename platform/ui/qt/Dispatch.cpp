// Message delivery to dialogs and the guard around every handler.
#include "platform/ui/qt/Dispatch.h"

#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/Error.h"
#include "platform/text/Text.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {

void DialogDispatch::Command(Dialog& dialog, int command, int id, int argument) {
    auto it = dialog.mCommands.find({static_cast<Dialog::Command>(command), id});
    if (it != dialog.mCommands.end()) {
        detail::Guarded(&dialog, [&] { it->second(argument); });
    } else if (command == kCommandClick && id == kIdOk) {
        Ok(dialog);
    } else if (command == kCommandClick && id == kIdCancel) {
        Cancel(dialog);
    }
}

void DialogDispatch::OwnerDraw(Dialog& dialog, DrawItem& item) {
    if (dialog.mOwnerDraw) {
        detail::Guarded(&dialog, [&] { dialog.mOwnerDraw(item.controlId, item); });
    }
}

void DialogDispatch::Paint(Dialog& dialog, DrawContext& dc) {
    if (dialog.mPaint) {
        detail::Guarded(&dialog, [&] { dialog.mPaint(dc); });
    }
}

void DialogDispatch::ControlColor(Dialog& dialog, ui::ControlColor& request) {
    if (dialog.mControlColor) {
        detail::Guarded(&dialog, [&] { dialog.mControlColor(request); });
    }
}

void DialogDispatch::LeftButtonDown(Dialog& dialog, Point client) {
    if (dialog.mLeftButtonDown) {
        detail::Guarded(&dialog, [&] { dialog.mLeftButtonDown(client); });
    }
}

void DialogDispatch::DeviceChange(Dialog& dialog, uint32_t event) {
    if (dialog.mDeviceChange) {
        detail::Guarded(&dialog, [&] { dialog.mDeviceChange(event); });
    }
}

void DialogDispatch::HotKey(Dialog& dialog, int id) {
    if (dialog.mHotKey) {
        detail::Guarded(&dialog, [&] { dialog.mHotKey(id); });
    }
}

void DialogDispatch::HorizontalScroll(Dialog& dialog, int id, int code, int position) {
    if (dialog.mHorizontalScroll) {
        detail::Guarded(&dialog, [&] { dialog.mHorizontalScroll(id, code, position); });
    }
}

void DialogDispatch::Ok(Dialog& dialog) {
    detail::Guarded(&dialog, [&] { dialog.OnOK(); });
}

void DialogDispatch::Cancel(Dialog& dialog) {
    detail::Guarded(&dialog, [&] { dialog.OnCancel(); });
}

bool DialogDispatch::InitDialog(Dialog& dialog) {
    bool result = true;
    detail::Guarded(&dialog, [&] { result = dialog.OnInitDialog(); });
    return result;
}

void DialogDispatch::Destroy(Dialog& dialog) {
    detail::Guarded(&dialog, [&] { dialog.OnDestroy(); });
}

namespace detail {

void Guarded(Window* window, const std::function<void()>& action) {
    try {
        action();
    } catch (const odbc::Error& error) {
        Window* owner = window ? DialogOf(*window) : nullptr;
        MessageBox(owner, error.Text(), text::FromUtf8(program::ExecutableName()), kOk | kIconStop);
    }
}

Dialog* DialogOf(Window& window) {
    if (auto* dialog = dynamic_cast<Dialog*>(&window)) {
        return dialog;
    }
    return dynamic_cast<Dialog*>(WindowOf(TopLevelWidgetOf(&window)));
}

void DeliverLeftButtonDown(Window& window, Point client) {
    if (auto* dialog = dynamic_cast<Dialog*>(&window)) {
        DialogDispatch::LeftButtonDown(*dialog, client);
    }
}

void DeliverCommand(Window& window, int id) {
    if (auto* dialog = DialogOf(window)) {
        DialogDispatch::Command(*dialog, kCommandClick, id, 0);
    }
}

void DeliverClose(Window& window) {
    if (auto* dialog = dynamic_cast<Dialog*>(&window)) {
        DialogDispatch::Cancel(*dialog);
    } else if (window.State().widget) {
        window.State().widget->close();
    }
}

void DeliverDeviceChange(Window& window, uint32_t event) {
    if (auto* dialog = dynamic_cast<Dialog*>(&window)) {
        DialogDispatch::DeviceChange(*dialog, event);
    }
}

void DeliverHotKey(Window& window, int id) {
    if (auto* dialog = dynamic_cast<Dialog*>(&window)) {
        DialogDispatch::HotKey(*dialog, id);
    }
}

}  // namespace detail
}  // namespace ui
