// The live-picture host: the frame slot a StaticHost shows, shared between the presenting
// thread and the widget that paints it, and that widget.
#pragma once

#include <QImage>
#include <QWidget>
#include <mutex>

#include "platform/ui/FrameSlot.h"
#include "platform/ui/Window.h"

namespace ui::detail {

// The newest presented frame of one host. Presenting asks the host for one repaint at a time;
// the host unties itself when it is destroyed, and from then on frames are dropped.
class VideoFrameSlot final : public FrameSlot {
  public:
    explicit VideoFrameSlot(Window& host) : mHost(&host) {}

    void Present(const uint8_t* bgrx, int width, int height, int stride) override;
    void Clear() override;
    void Repaint() override;

    // The host is being destroyed (UI thread).
    void UntieHost();
    // The frame to paint now, null for the background; counts it as painted (UI thread).
    QImage TakeForPaint();
    int FramesPainted() const;

  private:
    mutable std::mutex mMutex;
    Window* mHost;                 // null once the host is destroyed
    QImage mFrame;                 // null: show the background
    bool mRepaintPending = false;  // a repaint is asked for and has not taken the frame yet
    int mFramesPainted = 0;
};

// Paints its host's newest frame scaled to the whole client area, black where there is none.
class VideoHostWidget final : public QWidget {
  public:
    explicit VideoHostWidget(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::detail
