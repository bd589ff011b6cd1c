// Dialog template 195: the main window with the patient list, record form, notes and media.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;
constexpr uint32_t kOwnerDraw = ui::kStyleOwnerDraw;

const ui::DialogTemplate kTemplate{
    resources::kDialogOperationRoom,
    ui::kDialogModalFrame | ui::kDialogCentered,
    L"Sorvanti",
    L"Courier New",
    8,
    705,
    360,
    {
        {1114, ControlKind::Button, kOwnerDraw, L"Header", 3, 64, 32, 20},
        {1113, ControlKind::Button, kOwnerDraw, L"Info", 2, 86, 32, 20},
        {1112, ControlKind::Button, kOwnerDraw, L"Exit", 2, 110, 32, 20},
        {1131, ControlKind::Button, kOwnerDraw, L"Add C", 1, 3, 44, 44},
        {1117, ControlKind::Edit, ui::kStyleBorder | ui::kStyleAutoHScroll, L"", 57, 3, 80, 13},
        {1002, ControlKind::Button, kOwnerDraw, L"Search", 135, 0, 42, 18},
        {1118, ControlKind::ListBox, ui::kStyleNotify | ui::kStyleVScroll | ui::kStyleBorder, L"",
         54, 20, 123, 331},
        {1115, ControlKind::Button, kOwnerDraw, L"Camera", 5, 271, 36, 37},
        {1116, ControlKind::Button, kOwnerDraw, L"Setup", 5, 321, 36, 37},
        {1119, ControlKind::Button, ui::kStyleFlat | ui::kStyleBitmap, L"ID PHOTO", 201, 0, 103,
         156},
        {1003, ControlKind::Edit, ui::kStyleBorder | ui::kStyleAutoHScroll, L"", 366, 21, 94, 15},
        {1120, ControlKind::ComboBox, ui::kStyleDropDown, L"", 367, 40, 68, 80},
        {1121, ControlKind::ComboBox, ui::kStyleDropDown, L"", 367, 57, 37, 80},
        {1004, ControlKind::Edit, ui::kStyleBorder | ui::kStyleAutoHScroll, L"", 367, 77, 61, 12},
        {1005, ControlKind::Edit,
         ui::kStyleMultiline | ui::kStyleWantReturn | ui::kStyleVScroll | ui::kStyleBorder, L"",
         367, 96, 111, 26},
        {1006, ControlKind::Edit, ui::kStyleDisabled | ui::kStyleBorder, L"", 410, 128, 68, 15},
        {1122, ControlKind::DatePicker, 0, L"", 397, 153, 85, 19},
        {1124, ControlKind::Button, kOwnerDraw, L"Save", 643, 335, 21, 21},
        {1125, ControlKind::Button, kOwnerDraw, L"Del", 669, 335, 21, 21},
        {1133, ControlKind::GroupBox, 0, L"", 505, 17, 195, 159},
        {1134, ControlKind::GroupBox, 0, L"", 314, 186, 386, 146},
        {1127, ControlKind::Button, kOwnerDraw, L"Add Note", 526, 25, 45, 15},
        {1126, ControlKind::ListBox, ui::kStyleNotify | ui::kStyleVScroll, L"", 509, 42, 84, 132},
        {1132, ControlKind::Button, kOwnerDraw, L"NoteInfo", 596, 58, 101, 17},
        {1128, ControlKind::Edit,
         ui::kStyleMultiline | ui::kStyleAutoHScroll | ui::kStyleWantReturn | ui::kStyleBorder, L"",
         596, 76, 101, 98},
        {1129, ControlKind::Button, kOwnerDraw, L"NoteSave", 663, 40, 16, 17},
        {1130, ControlKind::Button, kOwnerDraw, L"NoteDel", 681, 40, 16, 17},
        {1123, ControlKind::ListView, ui::kStyleShowSelAlways | ui::kStyleBorder, L"", 320, 193,
         373, 136},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
