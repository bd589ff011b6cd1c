// Dialog templates 9101, 9102 and 9104: the skinned message box, the skinned yes/no box and the
// start-up cover. Pop-ups without caption or border; each resizes itself when it initialises.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;

const ui::DialogTemplate kMessageBox{
    resources::kDialogImageMsgBox,
    ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    127,
    103,
    {
        {resources::kControlBoxOk, ControlKind::Button, ui::kStyleOwnerDraw, L"OK", 70, 82, 50, 14},
    }};

const ui::DialogTemplate kYesNoBox{
    resources::kDialogImageYesNoBox,
    ui::kDialogCentered,
    L"",
    L"Courier New",
    8,
    114,
    80,
    {
        {resources::kControlBoxYes, ControlKind::Button, ui::kStyleOwnerDraw, L"YES", 7, 59, 50,
         14},
        {resources::kControlBoxNo, ControlKind::Button, ui::kStyleOwnerDraw, L"NO", 60, 59, 50, 14},
    }};

const ui::DialogTemplate kCover{
    resources::kDialogCover, ui::kDialogCentered, L"", L"Courier New", 8, 221, 146, {}};

const ui::DialogTemplateRegistration kMessageBoxRegistration(kMessageBox);
const ui::DialogTemplateRegistration kYesNoBoxRegistration(kYesNoBox);
const ui::DialogTemplateRegistration kCoverRegistration(kCover);

}  // namespace
