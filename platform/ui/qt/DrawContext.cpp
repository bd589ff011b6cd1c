// ui::DrawContext over QPainter.
#include "platform/ui/DrawContext.h"

#include <QPolygon>
#include <vector>

#include "platform/ui/qt/BitmapData.h"
#include "platform/ui/qt/Convert.h"
#include "platform/ui/qt/DrawContextData.h"

namespace ui {

DrawContext MakeWidgetContext(QPainter& painter, QWidget& widget) {
    auto data = std::make_unique<DrawContext::Data>();
    data->painter = &painter;
    data->widget = &widget;
    data->painter->setFont(widget.font());
    return DrawContext(std::move(data));
}

DrawContext::DrawContext(std::unique_ptr<Data> data) : mData(std::move(data)) {}

DrawContext::DrawContext(Bitmap& surface) : mData(std::make_unique<Data>()) {
    QImage& image = surface.Internal().image;
    if (image.format() != QImage::Format_RGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    mData->ownPainter = std::make_unique<QPainter>(&image);
    mData->painter = mData->ownPainter.get();
}

DrawContext::~DrawContext() = default;

void DrawContext::FillRect(const Rect& rect, Color color) {
    mData->painter->fillRect(ToQRect(rect), ToQColor(color));
}

void DrawContext::SetPen(Color color, int width) {
    mData->pen = QPen(ToQColor(color), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void DrawContext::SetBrush(Color color) {
    mData->brush = QBrush(ToQColor(color));
}

void DrawContext::DrawRectangle(const Rect& rect) {
    // The pen lies inside the rectangle, as the platform's inside-frame pens draw it.
    QPainter& painter = *mData->painter;
    painter.fillRect(ToQRect(rect), mData->brush);
    if (mData->pen.style() == Qt::NoPen) {
        return;
    }
    const int width = std::max(1, mData->pen.width());
    const QColor color = mData->pen.color();
    const QRect r = ToQRect(rect);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), color);
    painter.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), color);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), color);
    painter.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), color);
}

void DrawContext::DrawPolygon(std::span<const Point> points) {
    QPolygon polygon;
    for (const Point& point : points) {
        polygon << QPoint(point.x, point.y);
    }
    QPainter& painter = *mData->painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(mData->pen);
    painter.setBrush(mData->brush);
    painter.drawPolygon(polygon);
    painter.restore();
}

void DrawContext::SetFont(const Font& font) {
    mData->painter->setFont(ToQFont(font));
}

void DrawContext::SetTextColor(Color color) {
    mData->textColor = ToQColor(color);
}

void DrawContext::DrawText(int x, int y, std::wstring_view text) {
    QPainter& painter = *mData->painter;
    painter.setPen(mData->textColor);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(x, y + metrics.ascent()), ToQString(text));
}

void DrawContext::DrawTextCentered(const Rect& rect, std::wstring_view text) {
    QPainter& painter = *mData->painter;
    painter.setPen(mData->textColor);
    painter.drawText(ToQRect(rect), Qt::AlignCenter | Qt::TextSingleLine, ToQString(text));
}

Size DrawContext::MeasureText(std::wstring_view text) const {
    const QFontMetrics metrics = mData->painter->fontMetrics();
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void DrawContext::DrawBitmap(const Bitmap& bitmap, int x, int y) {
    if (!bitmap.IsNull()) {
        mData->painter->drawImage(QPoint(x, y), bitmap.Internal().image);
    }
}

void DrawContext::StretchBitmap(const Bitmap& bitmap, const Rect& target) {
    if (bitmap.IsNull() || target.Width() <= 0 || target.Height() <= 0) {
        return;
    }
    if (bitmap.Dimensions() == Size{target.Width(), target.Height()}) {
        DrawBitmap(bitmap, target.left, target.top);
        return;
    }
    DrawBitmap(bitmap.Stretched(target.Width(), target.Height()), target.left, target.top);
}

void DrawContext::CopyBits(int x, int y, int width, int height, int sourceX, int sourceY) {
    QPainter& painter = *mData->painter;
    const QRect source(sourceX, sourceY, width, height);
    if (mData->widget) {
        painter.drawPixmap(QPoint(x, y), mData->widget->grab(source));
    } else if (auto* image = dynamic_cast<QImage*>(painter.device())) {
        painter.drawImage(QPoint(x, y), image->copy(source));
    }
}

}  // namespace ui
