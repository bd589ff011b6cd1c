// The installed modal hook.
#include "platform/ui/qt/ModalHook.h"

#include <utility>

namespace ui::detail {
namespace {

ModalHook& Hook() {
    static ModalHook hook;
    return hook;
}

}  // namespace

void SetModalHook(ModalHook hook) {
    Hook() = std::move(hook);
}

void NotifyModalStart(const ModalStart& start) {
    if (Hook()) {
        Hook()(start);
    }
}

}  // namespace ui::detail
