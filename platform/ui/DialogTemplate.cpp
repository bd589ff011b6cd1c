// The table of registered dialog templates.
#include "platform/ui/DialogTemplate.h"

#include <map>

namespace ui {
namespace {

// Function-local so that registrations from any translation unit find it constructed.
std::map<int, const DialogTemplate*>& Table() {
    static std::map<int, const DialogTemplate*> table;
    return table;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    auto it = Table().find(id);
    return it == Table().end() ? nullptr : it->second;
}

DialogTemplateRegistration::DialogTemplateRegistration(const DialogTemplate& dialogTemplate) {
    Table()[dialogTemplate.id] = &dialogTemplate;
}

}  // namespace ui
