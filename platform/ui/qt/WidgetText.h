// The text of a widget as ui::Window::Text and SetText read and write it: a top-level window's
// title, an edit's contents (multi-line with "\r\n" between lines), a button's, label's or group
// box's caption, a combo box's edit field. UI thread.
#pragma once

#include <QWidget>
#include <string>

namespace ui::detail {

void SetWidgetText(QWidget& widget, const std::wstring& text);
std::wstring WidgetText(const QWidget& widget);

}  // namespace ui::detail
