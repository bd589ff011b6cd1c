// The QDialog behind every ui::Dialog.
#include "platform/ui/qt/DialogWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/Dispatch.h"
#include "platform/ui/qt/DrawContextData.h"

namespace ui::detail {

DialogWidget::DialogWidget(Dialog& dialog, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), mDialog(dialog) {}

void DialogWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(mDialog.BackgroundColor()));
    DrawContext dc = MakeWidgetContext(painter, *this);
    DialogDispatch::Paint(mDialog, dc);
}

void DialogWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        DialogDispatch::LeftButtonDown(mDialog, {point.x(), point.y()});
    }
    QDialog::mousePressEvent(event);
}

void DialogWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            DialogDispatch::Cancel(mDialog);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            DialogDispatch::Ok(mDialog);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void DialogWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    DialogDispatch::Cancel(mDialog);
}

void DialogWidget::accept() {
    DialogDispatch::Ok(mDialog);
}

void DialogWidget::reject() {
    DialogDispatch::Cancel(mDialog);
}

}  // namespace ui::detail
