// Conversions between the window layer's values and Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

namespace ui {

inline QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}
inline Rect FromQRect(const QRect& rect) {
    return Rect::FromSize(rect.x(), rect.y(), rect.width(), rect.height());
}
inline QColor ToQColor(Color color) {
    return QColor(color.red, color.green, color.blue);
}
inline Color FromQColor(const QColor& color) {
    return Rgb(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
               static_cast<uint8_t>(color.blue()));
}
QString ToQString(std::wstring_view text);
std::wstring FromQString(const QString& text);
// The system font standing in for the face name, at the font's pixel height.
QFont ToQFont(const Font& font);

}  // namespace ui
