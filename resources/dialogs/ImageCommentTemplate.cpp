// Dialog template 173: the image comment dialog. The dialog places every control itself; the
// template gives the controls and their starting places.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;
constexpr uint32_t kOwnerDraw = ui::kStyleOwnerDraw;

const ui::DialogTemplate kTemplate{
    resources::kDialogImageComment,
    ui::kDialogModalFrame | ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    // Even in pixels (952 x 498), so that the window sized to the screen around its centre
    // starts exactly at the screen's corner.
    544,
    332,
    {
        {1067, ControlKind::Button, kOwnerDraw, L"Header", 0, 0, 74, 27},
        {1078, ControlKind::Button, kOwnerDraw, L"Info", 74, 0, 420, 27},
        {1065, ControlKind::Button, kOwnerDraw, L"Exit", 515, 0, 21, 27},
        {1069, ControlKind::Button, ui::kStyleNotify | ui::kStyleBitmap, L"", 7, 33, 524, 247},
        {1070, ControlKind::Button, kOwnerDraw, L"Previous", 140, 285, 46, 50},
        {1054, ControlKind::Button, kOwnerDraw, L"MailTo", 191, 285, 46, 50},
        {1053, ControlKind::Button, kOwnerDraw, L"Detail", 242, 285, 46, 50},
        {1056, ControlKind::Button, kOwnerDraw, L"Delete", 293, 285, 46, 50},
        {1055, ControlKind::Button, kOwnerDraw, L"Next", 344, 285, 46, 50},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
