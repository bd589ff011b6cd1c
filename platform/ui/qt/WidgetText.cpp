// Reading and writing the text of each kind of widget.
#include "platform/ui/qt/WidgetText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/ui/qt/Convert.h"

namespace ui::detail {

void SetWidgetText(QWidget& widget, const std::wstring& text) {
    QString qtext = ToQString(text);
    if (widget.isWindow()) {
        widget.setWindowTitle(qtext);
    } else if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        line->setText(qtext);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        plain->setPlainText(qtext.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(qtext);
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(qtext);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(qtext);
    } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        combo->setEditText(qtext);
    }
}

std::wstring WidgetText(const QWidget& widget) {
    if (widget.isWindow()) {
        return FromQString(widget.windowTitle());
    }
    if (auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        return FromQString(line->text());
    }
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(&widget)) {
        return FromQString(plain->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")));
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return FromQString(button->text());
    }
    if (auto* label = qobject_cast<const QLabel*>(&widget)) {
        return FromQString(label->text());
    }
    if (auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return FromQString(group->title());
    }
    if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        return FromQString(combo->currentText());
    }
    return {};
}

}  // namespace ui::detail
