#include "platform/ui/qt/VideoHost.h"

#include <QPainter>
#include <cstring>

#include "platform/ui/Controls.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {
namespace detail {

VideoHostWidget::VideoHostWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoHostWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    auto* host = dynamic_cast<StaticHost*>(WindowOf(this));
    QImage frame;
    if (host != nullptr) {
        VideoFrameSlot& slot = *host->FrameSlot();
        std::lock_guard lock(slot.mutex);
        frame = slot.frame;  // shares the pixels; the presenter detaches before writing
        slot.repaintPending = false;
        slot.framesPainted += frame.isNull() ? 0 : 1;
    }
    if (frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), frame);
}

}  // namespace detail

StaticHost::StaticHost(int id, uint32_t style)
    : Control(id, ControlKind::StaticHost, style),
      mSlot(std::make_shared<detail::VideoFrameSlot>()) {}

StaticHost::~StaticHost() = default;

void StaticHost::PresentFrame(const uint8_t* bgrx, int width, int height, int stride) {
    if (bgrx == nullptr || width <= 0 || height <= 0 || stride < width * 4) {
        return;
    }
    bool postRepaint = false;
    {
        std::lock_guard lock(mSlot->mutex);
        QImage& frame = mSlot->frame;
        if (frame.width() != width || frame.height() != height) {
            frame = QImage(width, height, QImage::Format_RGB32);  // B, G, R, x in memory
        }
        // bits() detaches from a copy the painter may still hold.
        for (int row = 0; row < height; ++row) {
            std::memcpy(frame.scanLine(row), bgrx + static_cast<std::size_t>(row) * stride,
                        static_cast<std::size_t>(width) * 4);
        }
        postRepaint = !mSlot->repaintPending;
        mSlot->repaintPending = true;
    }
    if (postRepaint) {
        State().Run([this] { State().widget->update(); }, false);
    }
}

int StaticHost::FramesPainted() const {
    std::lock_guard lock(mSlot->mutex);
    return mSlot->framesPainted;
}

void StaticHost::ClearFrame() {
    {
        std::lock_guard lock(mSlot->mutex);
        mSlot->frame = QImage();
        mSlot->repaintPending = true;
    }
    State().Run([this] { State().widget->update(); }, false);
}

}  // namespace ui
