// Dialog template 134: the camera setup dialog.
#include "platform/ui/DialogTemplate.h"
#include "resources/ResourceIds.h"

namespace {

using ui::ControlKind;
constexpr uint32_t kFlat = ui::kStyleFlat;
constexpr uint32_t kCentredEdit = ui::kStyleCenter | ui::kStyleBorder | ui::kStyleAutoHScroll;

const ui::DialogTemplate kTemplate{
    resources::kDialogSetup,
    ui::kDialogCaption | ui::kDialogSystemMenu | ui::kDialogCentered,
    L"Setup",
    L"Courier New",
    8,
    205,
    235,
    {
        {-1, ControlKind::GroupBox, 0, L"Camera", 3, 3, 197, 30},
        {1031, ControlKind::ComboBox, ui::kStyleDropDownList, L"", 9, 14, 184, 96},
        {-1, ControlKind::GroupBox, 0, L"Resolution Record", 3, 35, 197, 30},
        {1029, ControlKind::ComboBox, ui::kStyleDropDownList, L"", 9, 46, 184, 96},
        {-1, ControlKind::GroupBox, 0, L"Resolution Capture", 3, 66, 197, 30},
        {1032, ControlKind::ComboBox, ui::kStyleDropDownList, L"", 9, 77, 184, 96},
        {-1, ControlKind::GroupBox, 0, L"Image Adjustment", 3, 99, 197, 75},
        {-1, ControlKind::StaticText, 0, L"Brightness", 11, 114, 41, 8},
        {1015, ControlKind::TrackBar, ui::kStyleNoTicks, L"", 103, 112, 84, 12},
        {-1, ControlKind::StaticText, 0, L"Contrast", 11, 126, 33, 9},
        {1016, ControlKind::TrackBar, 0, L"", 103, 125, 84, 12},
        {-1, ControlKind::StaticText, 0, L"Saturation", 11, 138, 41, 8},
        {1019, ControlKind::TrackBar, 0, L"", 103, 137, 84, 12},
        {1007, ControlKind::Button, kFlat, L"Reset Default", 9, 153, 184, 15},
        {-1, ControlKind::StaticText, 0, L"XU_ID", 7, 185, 22, 11},
        {1000, ControlKind::Edit, kCentredEdit, L"", 61, 182, 89, 13},
        {1135, ControlKind::Button, kFlat, L"GET", 152, 181, 24, 15},
        {1136, ControlKind::Button, kFlat | ui::kStyleDisabled, L"SET", 177, 181, 24, 15},
        {-1, ControlKind::StaticText, 0, L"XU_DATE_TIME", 7, 201, 49, 11},
        {1002, ControlKind::Edit, kCentredEdit, L"", 61, 199, 89, 13},
        {1137, ControlKind::Button, kFlat, L"GET", 152, 198, 24, 15},
        {1138, ControlKind::Button, kFlat | ui::kStyleDisabled, L"SET", 177, 198, 24, 15},
        {-1, ControlKind::StaticText, 0, L"XU_KEY_EVENT", 7, 218, 49, 11},
        {1001, ControlKind::Edit, kCentredEdit, L"", 61, 216, 89, 13},
        {1139, ControlKind::Button, kFlat, L"Refresh", 152, 215, 49, 15},
    }};
const ui::DialogTemplateRegistration kRegistration(kTemplate);

}  // namespace
