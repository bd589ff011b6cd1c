// The video host control: its frame slot and the widget that paints from it.
#include "platform/ui/qt/VideoHost.h"

#include <QPainter>
#include <cstring>

#include "platform/ui/Controls.h"
#include "platform/ui/qt/WindowState.h"

namespace ui {
namespace detail {

void VideoFrameSlot::Present(const uint8_t* bgrx, int width, int height, int stride) {
    if (bgrx == nullptr || width <= 0 || height <= 0 || stride < width * 4) {
        return;
    }
    std::lock_guard lock(mMutex);
    if (mHost == nullptr) {
        return;
    }
    if (mFrame.width() != width || mFrame.height() != height) {
        mFrame = QImage(width, height, QImage::Format_RGB32);  // B, G, R, x in memory
    }
    // scanLine() detaches from a copy the painter may still hold.
    for (int row = 0; row < height; ++row) {
        std::memcpy(mFrame.scanLine(row), bgrx + static_cast<std::size_t>(row) * stride,
                    static_cast<std::size_t>(width) * 4);
    }
    if (!mRepaintPending) {
        mRepaintPending = true;
        mHost->Invalidate();
    }
}

void VideoFrameSlot::Clear() {
    std::lock_guard lock(mMutex);
    mFrame = QImage();
    if (mHost != nullptr) {
        mRepaintPending = true;
        mHost->Invalidate();
    }
}

void VideoFrameSlot::Repaint() {
    std::lock_guard lock(mMutex);
    if (mHost != nullptr) {
        mHost->Invalidate();
    }
}

void VideoFrameSlot::UntieHost() {
    std::lock_guard lock(mMutex);
    mHost = nullptr;
}

QImage VideoFrameSlot::TakeForPaint() {
    std::lock_guard lock(mMutex);
    mRepaintPending = false;
    mFramesPainted += mFrame.isNull() ? 0 : 1;
    return mFrame;  // shares the pixels; Present detaches before writing
}

int VideoFrameSlot::FramesPainted() const {
    std::lock_guard lock(mMutex);
    return mFramesPainted;
}

VideoHostWidget::VideoHostWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoHostWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    auto* host = dynamic_cast<StaticHost*>(WindowOf(this));
    const QImage frame = host != nullptr ? host->PaintSlot().TakeForPaint() : QImage();
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
      mSlot(std::make_shared<detail::VideoFrameSlot>(*this)) {}

// A presenter that still holds the slot finds it untied and touches nothing of this host.
StaticHost::~StaticHost() {
    mSlot->UntieHost();
}

std::shared_ptr<FrameSlot> StaticHost::Slot() const {
    return mSlot;
}

int StaticHost::FramesPainted() const {
    return mSlot->FramesPainted();
}

}  // namespace ui
