// Dispatch of standard message boxes to the installed presenter.
#include "platform/ui/MessageBox.h"

#include <atomic>
#include <cstdio>

#include "platform/fs/ProgramFolder.h"
#include "platform/text/Text.h"

namespace ui {
namespace {

std::atomic<MessageBoxPresenter*> gPresenter{nullptr};

int ShowHeadless(const std::wstring& text, const std::wstring& caption, uint32_t style) {
    std::fprintf(stderr, "[%s] %s\n", text::ToUtf8(caption).c_str(), text::ToUtf8(text).c_str());
    return (style & 0x0F) == kYesNo ? kIdYes : kIdOk;
}

}  // namespace

MessageBoxPresenter* SetMessageBoxPresenter(MessageBoxPresenter* presenter) {
    return gPresenter.exchange(presenter);
}

int MessageBox(Window* owner, const std::wstring& text, const std::wstring& caption,
               uint32_t style) {
    if (auto* presenter = gPresenter.load()) {
        return presenter->Show(owner, text, caption, style);
    }
    return ShowHeadless(text, caption, style);
}

int AppMessageBox(const std::wstring& text, uint32_t style) {
    return MessageBox(nullptr, text, text::FromUtf8(program::ExecutableName()), style);
}

}  // namespace ui
