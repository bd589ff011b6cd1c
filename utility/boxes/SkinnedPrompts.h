// OperatorPrompts answered by the skinned boxes, each run modally with the given window as its
// owner. UI thread only.
#pragma once

#include "utility/boxes/OperatorPrompts.h"

namespace ui {
class Window;
}  // namespace ui

class SkinnedPrompts final : public OperatorPrompts {
  public:
    explicit SkinnedPrompts(ui::Window* owner) : mOwner(owner) {}
    void ShowMessage(const std::wstring& text) override;
    bool AskYesNo(const std::wstring& text) override;

  private:
    ui::Window* mOwner;
};
