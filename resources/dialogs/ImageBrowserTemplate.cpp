// Dialog template 165: the image browser. The browser places every control itself; the
// template gives the controls and their starting places.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;
constexpr uint32_t kOwnerDraw = ui::kStyleOwnerDraw;
constexpr uint32_t kSlot = ui::kStyleFlat | ui::kStyleNotify | ui::kStyleBitmap;

const ui::DialogTemplate kTemplate{
    resources::kDialogImageBrowser,
    ui::kDialogModalFrame | ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    // Even in pixels (952 x 498), so that the window sized to the screen around its centre
    // starts exactly at the screen's corner.
    544,
    332,
    {
        {1062, ControlKind::Button, kOwnerDraw, L"Header", 0, 0, 74, 27},
        {1079, ControlKind::Button, kOwnerDraw, L"Info", 74, 0, 380, 27},
        {1053, ControlKind::Button, kOwnerDraw, L"Exit", 515, 0, 21, 27},
        {1064, ControlKind::GroupBox, 0, L"", 5, 24, 262, 132},
        {1058, ControlKind::Button, kSlot, L"", 7, 33, 258, 120},
        {1059, ControlKind::Button, kSlot, L"", 273, 33, 258, 120},
        {1060, ControlKind::Button, kSlot, L"", 7, 160, 258, 120},
        {1061, ControlKind::Button, kSlot, L"", 273, 160, 258, 120},
        {1052, ControlKind::Button, kOwnerDraw, L"Back", 165, 285, 46, 50},
        {1054, ControlKind::Button, kOwnerDraw, L"MailTo", 216, 285, 46, 50},
        {1056, ControlKind::Button, kOwnerDraw, L"Comment", 267, 285, 46, 50},
        {1057, ControlKind::Button, kOwnerDraw, L"Delete", 318, 285, 46, 50},
        {1055, ControlKind::Button, kOwnerDraw, L"MedicalRec", 369, 285, 46, 50},
        {1063, ControlKind::Button, kOwnerDraw, L"Sel Indicator", 420, 285, 46, 50},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
