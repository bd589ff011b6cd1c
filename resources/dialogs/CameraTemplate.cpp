// Dialog template 133: the camera window, a pop-up without controls that lays itself out.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

const ui::DialogTemplate kTemplate{
    resources::kDialogCamera,
    ui::kDialogModalFrame | ui::kDialogSystemMenu | ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    320,
    200,
    {}};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
