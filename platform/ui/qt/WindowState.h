// How a ui::Window is tied to its Qt widget: the widget while it exists, and the relay through
// which any thread can post work to the UI thread for that window. Posting to a window whose
// widget is gone does nothing: the relay dies with the widget, and Qt drops what was queued.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
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

struct WindowState {
    Window* window = nullptr;
    QPointer<QWidget> widget;
    // Guards `relay`, which worker threads read to post and the UI thread sets and clears.
    std::mutex relayMutex;
    Relay* relay = nullptr;  // null while the window has no widget

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

// The top-level widget `window` lies in (itself for a dialog), or null when `window` is null or
// has no widget: the parent of the modal windows it opens.
QWidget* TopLevelWidgetOf(const Window* window);

}  // namespace ui::detail
