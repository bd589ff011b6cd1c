// Dialog template 174: the image detail dialog with the comment editor. The dialog places every
// control itself; the template gives the controls and their starting places.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;
constexpr uint32_t kOwnerDraw = ui::kStyleOwnerDraw;

const ui::DialogTemplate kTemplate{
    resources::kDialogImageDetail,
    ui::kDialogModalFrame | ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    // Even in pixels (952 x 498), so that the window sized to the screen around its centre
    // starts exactly at the screen's corner.
    544,
    332,
    {
        {1068, ControlKind::Button, kOwnerDraw, L"Header", 0, 0, 74, 27},
        {1080, ControlKind::Button, kOwnerDraw, L"Info", 74, 0, 420, 27},
        {1066, ControlKind::Button, kOwnerDraw, L"Exit", 515, 0, 21, 27},
        {1071, ControlKind::Button, ui::kStyleBitmap, L"", 140, 40, 258, 120},
        {1077, ControlKind::Edit,
         ui::kStyleMultiline | ui::kStyleWantReturn | ui::kStyleVScroll | ui::kStyleAutoHScroll,
         L"", 200, 190, 140, 70},
        {1072, ControlKind::Button, kOwnerDraw, L"Previous", 140, 285, 46, 50},
        {1073, ControlKind::Button, kOwnerDraw, L"MailTo", 191, 285, 46, 50},
        {1074, ControlKind::Button, kOwnerDraw, L"Detail", 242, 285, 46, 50},
        {1075, ControlKind::Button, kOwnerDraw, L"Delete", 293, 285, 46, 50},
        {1076, ControlKind::Button, kOwnerDraw, L"Next", 344, 285, 46, 50},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
