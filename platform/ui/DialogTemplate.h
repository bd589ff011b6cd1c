// Dialog templates as data: the dialog's id, styles, caption, font and size, and its controls
// with id, kind, style, caption and rectangle, all in dialog units of the template font. The
// program's templates register themselves at static initialisation (resources/dialogs); the
// dialog framework builds a window from the template with a given id.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
    Button,      // push button: owner-drawn, flat, showing a bitmap, per its style
    Edit,        // single or multi-line text field
    ListBox,     // list of text lines
    ComboBox,    // drop-down with an edit field, or drop-down list
    DatePicker,  // a calendar date
    ListView,    // icon view with an image list
    TrackBar,    // slider
    StaticText,  // a label
    StaticHost,  // an empty child window hosting foreign content (the live picture)
    GroupBox,    // a frame with an optional title
};

// Dialog styles.
inline constexpr uint32_t kDialogCaption = 0x0001;     // a title bar
inline constexpr uint32_t kDialogSystemMenu = 0x0002;  // a close box in the title bar
inline constexpr uint32_t kDialogModalFrame = 0x0004;  // a thin frame
inline constexpr uint32_t kDialogCentered = 0x0008;    // centred on the work area

// Control styles; each kind reads the ones that apply to it.
inline constexpr uint32_t kStyleOwnerDraw = 0x0001;   // button painted by the dialog
inline constexpr uint32_t kStyleFlat = 0x0002;        // button without 3-D frame
inline constexpr uint32_t kStyleBitmap = 0x0004;      // button shows a bitmap
inline constexpr uint32_t kStyleNotify = 0x0008;      // button/list reports double clicks
inline constexpr uint32_t kStyleMultiline = 0x0010;   // edit
inline constexpr uint32_t kStyleWantReturn = 0x0020;  // multi-line edit takes Enter
inline constexpr uint32_t kStyleVScroll = 0x0040;
inline constexpr uint32_t kStyleAutoHScroll = 0x0080;
inline constexpr uint32_t kStyleDisabled = 0x0100;
inline constexpr uint32_t kStyleCenter = 0x0200;  // centred text
inline constexpr uint32_t kStyleBorder = 0x0400;
inline constexpr uint32_t kStyleSort = 0x0800;          // list box sorts its lines
inline constexpr uint32_t kStyleDropDown = 0x1000;      // combo box with an edit field
inline constexpr uint32_t kStyleDropDownList = 0x2000;  // combo box without edit field
inline constexpr uint32_t kStyleNoTicks = 0x4000;       // track bar
inline constexpr uint32_t kStyleHidden = 0x8000;
inline constexpr uint32_t kStyleShowSelAlways = 0x10000;  // list view keeps its selection shown

struct ControlTemplate {
    int id = -1;  // -1 for controls nobody addresses (labels, frames)
    ControlKind kind = ControlKind::Button;
    uint32_t style = 0;
    std::wstring caption;
    int x = 0, y = 0, width = 0, height = 0;  // dialog units
};

struct DialogTemplate {
    int id = 0;
    uint32_t style = 0;
    std::wstring caption;
    std::wstring fontName = L"Courier New";
    int fontPoints = 8;
    int width = 0, height = 0;  // dialog units
    std::vector<ControlTemplate> controls;
};

// The registered template with `id`, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

// Registers a template at static initialisation; `dialogTemplate` must outlive the program.
class DialogTemplateRegistration {
  public:
    explicit DialogTemplateRegistration(const DialogTemplate& dialogTemplate);
};

}  // namespace ui
