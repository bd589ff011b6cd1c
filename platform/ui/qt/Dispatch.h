// Delivery of messages to windows on the UI thread, each guarded: a database read error that
// escapes a handler is shown with its text and a stop icon and the command is abandoned.
#pragma once

#include <functional>

#include "platform/ui/Dialog.h"

namespace ui {

// The dialog's side of message delivery (the dialog makes it a friend).
struct DialogDispatch {
    static void Command(Dialog& dialog, int command, int id, int argument);
    static void OwnerDraw(Dialog& dialog, DrawItem& item);
    static void Paint(Dialog& dialog, DrawContext& dc);
    static void ControlColor(Dialog& dialog, ui::ControlColor& request);
    static void LeftButtonDown(Dialog& dialog, Point client);
    static void DeviceChange(Dialog& dialog, uint32_t event);
    static void HotKey(Dialog& dialog, int id);
    static void HorizontalScroll(Dialog& dialog, int id, int code, int position);
    static void Ok(Dialog& dialog);
    static void Cancel(Dialog& dialog);
    static bool InitDialog(Dialog& dialog);
    static void Destroy(Dialog& dialog);
};

// Command kinds, as Dialog::Command numbers them.
inline constexpr int kCommandClick = 0;
inline constexpr int kCommandDoubleClick = 1;
inline constexpr int kCommandListDoubleClick = 2;
inline constexpr int kCommandSelectionChange = 3;
inline constexpr int kCommandItemActivate = 4;

namespace detail {

// Runs `action`; a database error escaping it is shown over `window`'s dialog.
void Guarded(Window* window, const std::function<void()>& action);

// The dialog a window belongs to: itself, or the dialog holding the control.
Dialog* DialogOf(Window& window);

void DeliverLeftButtonDown(Window& window, Point client);
void DeliverCommand(Window& window, int id);
void DeliverClose(Window& window);
void DeliverDeviceChange(Window& window, uint32_t event);
void DeliverHotKey(Window& window, int id);

}  // namespace detail
}  // namespace ui
