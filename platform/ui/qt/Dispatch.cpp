// Message delivery to dialogs and the guard around every handler.
#include "platform/ui/qt/Dispatch.h"

#include <utility>

#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/Error.h"
#include "platform/text/Text.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {
namespace {

// Calls the dialog's handler, when it has one, guarded.
template <class Handler, class... Arguments>
void CallHandler(Dialog& dialog, const Handler& handler, Arguments&&... arguments) {
    if (handler) {
        detail::Guarded(&dialog, [&] { handler(std::forward<Arguments>(arguments)...); });
    }
}

}  // namespace

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
    CallHandler(dialog, dialog.mOwnerDraw, item.controlId, item);
}

void DialogDispatch::Paint(Dialog& dialog, DrawContext& dc) {
    CallHandler(dialog, dialog.mPaint, dc);
}

void DialogDispatch::ControlColor(Dialog& dialog, ui::ControlColor& request) {
    CallHandler(dialog, dialog.mControlColor, request);
}

void DialogDispatch::LeftButtonDown(Dialog& dialog, Point client) {
    CallHandler(dialog, dialog.mLeftButtonDown, client);
}

void DialogDispatch::DeviceChange(Dialog& dialog, uint32_t event) {
    CallHandler(dialog, dialog.mDeviceChange, event);
}

void DialogDispatch::HotKey(Dialog& dialog, int id) {
    CallHandler(dialog, dialog.mHotKey, id);
}

void DialogDispatch::HorizontalScroll(Dialog& dialog, int id, int code, int position) {
    CallHandler(dialog, dialog.mHorizontalScroll, id, code, position);
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
