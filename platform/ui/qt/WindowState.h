// How a ui::Window is tied to its Qt widget: the widget while it exists, and a channel through
// which any thread can post work to the UI thread for that window. The channel outlives the
// widget; posting to a window whose widget is gone does nothing.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/ui/Window.h"

namespace ui::detail {

// Receives the posted work of one window; a child of the widget, so it dies with it and Qt
// drops the work still queued for it.
class Relay final : public QObject {
  public:
    explicit Relay(QWidget* widget) : QObject(widget) {}
    bool event(QEvent* event) override;
};

struct Channel {
    std::mutex mutex;
    Relay* relay = nullptr;  // null while the window has no widget
};

struct WindowState {
    Window* window = nullptr;
    QPointer<QWidget> widget;
    std::shared_ptr<Channel> channel = std::make_shared<Channel>();

    // Ties the window to `widget` (UI thread).
    void Attach(QWidget* newWidget);
    // Unties it before the widget is deleted (UI thread).
    void Detach();
    // Runs `action` on the UI thread while the widget exists: now when called there (and
    // `direct`), else posted.
    void Run(std::function<void()> action, bool direct = true);
};

// The ui::Window a widget belongs to, or null.
Window* WindowOf(const QWidget* widget);

}  // namespace ui::detail
