// The QPainter behind a ui::DrawContext, for the Qt side of the window layer.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/ui/DrawContext.h"

namespace ui {

struct DrawContext::Data {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;  // set when drawing on a memory surface
    QPointer<QWidget> widget;              // set when drawing on a window
    QPen pen{Qt::NoPen};
    QBrush brush{Qt::NoBrush};
    QColor textColor{Qt::black};
};

// A context drawing on `widget` with `painter` (valid during a paint event).
DrawContext MakeWidgetContext(QPainter& painter, QWidget& widget);

}  // namespace ui
