// The live-picture host: the newest presented frame, shared between the presenting thread
// and the widget that paints it.
#pragma once

#include <QImage>
#include <QWidget>
#include <mutex>

namespace ui::detail {

struct VideoFrameSlot {
    std::mutex mutex;
    QImage frame;                 // null: show the background
    bool repaintPending = false;  // a repaint is posted and has not taken the frame yet
    int framesPainted = 0;
};

// Paints its host's newest frame scaled to the whole client area, black where there is none.
class VideoHostWidget final : public QWidget {
  public:
    explicit VideoHostWidget(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::detail
