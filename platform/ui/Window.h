// A window of the program: a dialog or one of its controls. Windows are created and destroyed
// on the UI thread; placement (move, resize, show, hide) and the posted messages (click,
// command, close, device change, hot key) may be called from any thread and are carried out on
// the UI thread, in the order they were called. Everything else is for the UI thread only.
// Coordinates: a top-level window is placed in screen coordinates, a control in its dialog's
// client coordinates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

namespace ui {

namespace detail {
struct WindowState;
}

class Window {
  public:
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The control id; 0 for a dialog.
    int Id() const { return mId; }
    // The window exists on screen (between creation and destruction).
    bool IsCreated() const;

    // Placement; any thread.
    void Move(int x, int y);
    void SetSize(int width, int height);
    void SetPlacement(const Rect& rect);
    void Show();
    void Hide();

    bool IsVisible() const;
    void Enable(bool enabled);
    bool IsEnabled() const;
    // The title of a top-level window, the caption or text of a control.
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetFont(const Font& font);

    // The outer rectangle in screen coordinates, and the client area (0, 0, width, height).
    Rect WindowRect() const;
    Rect ClientRect() const;
    // The outer rectangle in the coordinates the window is placed in.
    Rect PlacementRect() const;
    Point ScreenToClient(Point point) const;
    Point ClientToScreen(Point point) const;

    // Repaints soon (Invalidate) or now (Update).
    void Invalidate();
    void Update();
    // Uniform opacity of a top-level window, 0 to 255.
    void SetOpacity(uint8_t alpha);

    // Posted messages; any thread. A left-button press at a client point; a button click of
    // control `id`; the close message (a dialog cancels); a device change; a hot key.
    void PostLeftButtonDown(Point client);
    void PostCommand(int id);
    void PostClose();
    void PostDeviceChange(uint32_t event);
    void PostHotKey(int id);

    // Runs `action` once on the UI thread after `milliseconds`, unless the window is destroyed
    // first.
    void StartTimer(int milliseconds, std::function<void()> action);

    detail::WindowState& State() const { return *mState; }

  protected:
    explicit Window(int id);

  private:
    int mId;
    std::unique_ptr<detail::WindowState> mState;
};

struct TopLevelWindow {
    Window* window;  // null for windows the program did not make through this layer
    std::wstring title;
};

// The visible top-level windows with their titles. UI thread.
std::vector<TopLevelWindow> EnumerateTopLevelWindows();

bool IsUiThread();

}  // namespace ui
