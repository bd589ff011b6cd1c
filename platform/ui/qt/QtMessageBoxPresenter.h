// The standard message box shown for real: a modal box with the style's icon and buttons.
#pragma once

#include "platform/ui/MessageBox.h"

namespace ui::detail {

class QtMessageBoxPresenter final : public MessageBoxPresenter {
  public:
    int Show(Window* owner, const std::wstring& text, const std::wstring& caption,
             uint32_t style) override;
};

// The one presenter of the process.
QtMessageBoxPresenter& StandardPresenter();

}  // namespace ui::detail
