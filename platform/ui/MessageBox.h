// The platform's standard message box: the record store's start-up failure and database
// errors, and the open-file confirmation. (Operator messages use the program's own skinned
// boxes.) The box is shown by the installed presenter: the window layer installs one that
// shows a real modal box; tests install a recorder; without one the text goes to stderr and
// the box answers as if OK (or Yes) was pressed.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

class Window;

// Buttons and icons, combinable, with the platform's values.
inline constexpr uint32_t kOk = 0x00;
inline constexpr uint32_t kYesNo = 0x04;
inline constexpr uint32_t kIconStop = 0x10;
inline constexpr uint32_t kIconQuestion = 0x20;
inline constexpr uint32_t kIconWarning = 0x30;
inline constexpr uint32_t kIconInformation = 0x40;

// The button that ended a box.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

class MessageBoxPresenter {
  public:
    virtual ~MessageBoxPresenter() = default;
    // Shows one box modally and returns the button that ended it. UI thread only.
    virtual int Show(Window* owner, const std::wstring& text, const std::wstring& caption,
                     uint32_t style) = 0;
};

// Installs `presenter` (not owned; nullptr restores the headless default) and returns the one
// it replaces.
MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter);

// A standard box with the given owner (may be null), text and caption.
int MessageBox(Window* owner, const std::wstring& text, const std::wstring& caption,
               uint32_t style = kOk);

// A standard box without owner whose caption is the application name (the executable's file
// name), as the framework shows it.
int AppMessageBox(const std::wstring& text, uint32_t style = kOk);

}  // namespace ui
