// A dialog built from a template and run modally: the base of every window of the program.
// Derived classes put their message table in the constructor:
//
//     CDlgExample::CDlgExample(ui::Window* parent) : ui::Dialog(kDialogExample, parent) {
//         OnClick(1054, &CDlgExample::OnBnClickedButtonExampleMailto);
//         OnOwnerDraw(&CDlgExample::OnDrawItem);
//     }
//
// DoModal creates the window and its controls, calls OnInitDialog, runs until EndDialog and
// returns the code given to it; then OnDestroy runs and the window and controls are gone.
// Escape and the close message call OnCancel (ends with 2), Enter calls OnOK (ends with 1).
// Every handler runs guarded: a database read error that escapes it is shown with its text and
// a stop icon, and the command is abandoned while the window stays.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/ui/Controls.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Window.h"

namespace ui {

// What an owner-drawn button's paint hands to the dialog.
struct DrawItem {
    int controlId;
    DrawContext& dc;
    Rect rect;  // the button's client rectangle
    bool pressed;
};

// A control's colour request: the handler sets the colours it wants; unset ones stay standard.
struct ControlColor {
    int controlId;
    ControlKind kind;
    std::optional<Color> text;
    std::optional<Color> background;
};

// Track-bar notification codes of horizontal scroll.
inline constexpr int kTrackLineUp = 0;
inline constexpr int kTrackLineDown = 1;
inline constexpr int kTrackPageUp = 2;
inline constexpr int kTrackPageDown = 3;
inline constexpr int kTrackThumbPosition = 4;
inline constexpr int kTrackThumbTrack = 5;
inline constexpr int kTrackTop = 6;
inline constexpr int kTrackBottom = 7;
inline constexpr int kTrackEndTrack = 8;

class Dialog : public Window {
  public:
    Dialog(int templateId, Window* parent);
    ~Dialog() override;

    int DoModal();
    void EndDialog(int result);

    Window* Parent() const { return mParent; }
    // The control with `id` as kind T; nullptr when there is none or it is another kind, and
    // outside the modal run.
    template <class T>
    T* Control(int id) const {
        return dynamic_cast<T*>(FindControl(id));
    }
    Window* FindControl(int id) const;
    // Adds a control at a pixel rectangle of the client area while the dialog runs.
    Window* AddControl(const ControlTemplate& control, const Rect& rect);

    void SetBackgroundColor(Color color);
    Color BackgroundColor() const { return mBackground; }
    // Template dialog units to pixels of the template font.
    Rect DialogUnitsToPixels(const Rect& units) const;

  protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(1); }
    virtual void OnCancel() { EndDialog(2); }
    virtual void OnDestroy() {}

    // The message table.
    template <class T>
    void OnClick(int id, void (T::*handler)()) {
        AddCommand(Command::Click, id, Bind(handler));
    }
    template <class T>
    void OnDoubleClick(int id, void (T::*handler)()) {
        AddCommand(Command::DoubleClick, id, Bind(handler));
    }
    template <class T>
    void OnListDoubleClick(int id, void (T::*handler)()) {
        AddCommand(Command::ListDoubleClick, id, Bind(handler));
    }
    template <class T>
    void OnSelectionChange(int id, void (T::*handler)()) {
        AddCommand(Command::SelectionChange, id, Bind(handler));
    }
    // A list-view item was activated (double click or Enter); the handler gets its index.
    template <class T>
    void OnItemActivate(int id, void (T::*handler)(int item)) {
        AddCommand(Command::ItemActivate, id,
                   [this, handler](int item) { (static_cast<T*>(this)->*handler)(item); });
    }
    template <class T>
    void OnOwnerDraw(void (T::*handler)(int controlId, DrawItem& item)) {
        mOwnerDraw = [this, handler](int id, DrawItem& item) {
            (static_cast<T*>(this)->*handler)(id, item);
        };
    }
    // Paints the client area over the background colour.
    template <class T>
    void OnPaint(void (T::*handler)(DrawContext& dc)) {
        mPaint = [this, handler](DrawContext& dc) { (static_cast<T*>(this)->*handler)(dc); };
    }
    template <class T>
    void OnControlColor(void (T::*handler)(ControlColor& request)) {
        mControlColor = [this, handler](ControlColor& request) {
            (static_cast<T*>(this)->*handler)(request);
        };
    }
    template <class T>
    void OnLeftButtonDown(void (T::*handler)(Point client)) {
        mLeftButtonDown = [this, handler](Point p) { (static_cast<T*>(this)->*handler)(p); };
    }
    template <class T>
    void OnDeviceChange(void (T::*handler)(uint32_t event)) {
        mDeviceChange = [this, handler](uint32_t e) { (static_cast<T*>(this)->*handler)(e); };
    }
    template <class T>
    void OnHotKey(void (T::*handler)(int id)) {
        mHotKey = [this, handler](int id) { (static_cast<T*>(this)->*handler)(id); };
    }
    // Horizontal scroll of a track bar: its id, the notification code and its position.
    template <class T>
    void OnHorizontalScroll(void (T::*handler)(int id, int code, int position)) {
        mHorizontalScroll = [this, handler](int id, int code, int position) {
            (static_cast<T*>(this)->*handler)(id, code, position);
        };
    }

  private:
    friend struct DialogDispatch;
    struct Runtime;  // the window and controls during the modal run
    enum class Command { Click, DoubleClick, ListDoubleClick, SelectionChange, ItemActivate };
    using CommandHandler = std::function<void(int)>;

    template <class T>
    CommandHandler Bind(void (T::*handler)()) {
        return [this, handler](int) { (static_cast<T*>(this)->*handler)(); };
    }
    void AddCommand(Command command, int id, CommandHandler handler) {
        mCommands[{command, id}] = std::move(handler);
    }

    int mTemplateId;
    Window* mParent;
    Color mBackground = Rgb(240, 240, 240);
    std::map<std::pair<Command, int>, CommandHandler> mCommands;
    std::function<void(int, DrawItem&)> mOwnerDraw;
    std::function<void(DrawContext&)> mPaint;
    std::function<void(ControlColor&)> mControlColor;
    std::function<void(Point)> mLeftButtonDown;
    std::function<void(uint32_t)> mDeviceChange;
    std::function<void(int)> mHotKey;
    std::function<void(int, int, int)> mHorizontalScroll;
    std::unique_ptr<Runtime> mRuntime;
};

}  // namespace ui
