// Text and font conversions to Qt.
#include "platform/ui/qt/Convert.h"

namespace ui {
namespace {

// Face names of the program whose fonts the system does not carry, and the metric-compatible
// families used instead. Others are left to the system's font matching ("Courier New" finds
// Liberation Mono through fontconfig's aliases).
QString SystemFamily(const std::wstring& faceName) {
    if (faceName == L"Courier New") {
        return QStringLiteral("Liberation Mono");
    }
    if (faceName == L"Lucida Console") {
        return QStringLiteral("DejaVu Sans Mono");
    }
    return ToQString(faceName);
}

}  // namespace

QString ToQString(std::wstring_view text) {
    return QString::fromStdWString(std::wstring(text));
}

std::wstring FromQString(const QString& text) {
    return text.toStdWString();
}

QFont ToQFont(const Font& font) {
    QFont qfont(SystemFamily(font.faceName));
    qfont.setStyleHint(QFont::TypeWriter);
    qfont.setPixelSize(font.PixelHeight());
    qfont.setBold(font.bold);
    return qfont;
}

}  // namespace ui
