// The main window's look: fonts and combo items, placement over the screen above the taskbar
// (template positions moved by fixed offsets, some controls grown with the screen, picture
// buttons sized to their pictures), the owner-drawn buttons and the decoration pictures.
#include <iterator>

#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "app/RecordFormCodes.h"
#include "platform/ui/Screen.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/Drawing.h"
#include "utility/bitmaps/WindowGeometry.h"

using namespace operationroom;

namespace {

const ui::Color kBackground = ui::Rgb(242, 242, 242);
const ui::Color kButtonFace = ui::Rgb(66, 68, 79);
const ui::Color kBandText = ui::Rgb(255, 255, 255);

const ui::Font kSmallFont{L"Courier New", 100};
const ui::Font kMediumFont{L"Courier New", 150};
const ui::Font kLargeFont{L"Courier New", 170};

constexpr int kHeaderWidth = 130;
constexpr int kBandHeight = 40;
constexpr int kExitWidth = 36;

// Pictures of the buttons, painted unscaled at the top-left corner.
struct ButtonPicture {
    int controlId;
    uint16_t bitmapId;
};
constexpr ButtonPicture kButtonPictures[] = {{kSearch, resources::kBitmapSearch},
                                             {kExit, resources::kBitmapClose},
                                             {kHeader, resources::kBitmapHeader},
                                             {kCamera, resources::kBitmapCamera},
                                             {kSetup, resources::kBitmapSetup},
                                             {kSave, resources::kBitmapSaveCustomer},
                                             {kDelete, resources::kBitmapDeleteCustomer},
                                             {kAddNote, resources::kBitmapAddNote},
                                             {kNoteSave, resources::kBitmapSaveNote},
                                             {kNoteDelete, resources::kBitmapDeleteNote},
                                             {kAddCustomer, resources::kBitmapAddCustomer}};

uint16_t PictureOf(int controlId) {
    for (const ButtonPicture& picture : kButtonPictures) {
        if (picture.controlId == controlId) {
            return picture.bitmapId;
        }
    }
    return 0;
}

// One control's placement rule: moved by (dx, dy); grown by (grow) before the move; picture
// buttons sized to their picture after it.
struct Placement {
    int controlId;
    int dx, dy;
    int growWidth = 0, growHeight = 0;
};

}  // namespace

void CDlgOperationRoom::LayOutWindow() {
    SetBackgroundColor(kBackground);
    // The patient list gets the small font too: the template's 8 points are hard to read on a
    // full-HD screen. (The notes list keeps them: its lines just fit its width.)
    for (int id : {kGender, kBloodType, kPid, kAddress, kCustomerList}) {
        FindControl(id)->SetFont(kSmallFont);
    }
    for (int id : {kInfoBand, kSearchText, kVisitFirst, kNoteText}) {
        FindControl(id)->SetFont(kMediumFont);
    }
    FindControl(kName)->SetFont(kLargeFont);
    FindControl(kMedicalRecordNumber)->SetFont(kLargeFont);
    Control<ui::Edit>(kPid)->SetLimitText(10);

    auto* gender = Control<ui::ComboBox>(kGender);
    for (const wchar_t* item : recordform::kGenderItems) {
        gender->AddItem(item);
    }
    gender->SetSelection(0);
    auto* bloodType = Control<ui::ComboBox>(kBloodType);
    for (const wchar_t* item : recordform::kBloodTypeItems) {
        bloodType->AddItem(item);
    }
    bloodType->SetSelection(0);
    // Only dates the form can read back can be picked, so a saved date always shows again.
    const recordform::VisitDate earliest = recordform::kEarliestVisitDate;
    const recordform::VisitDate latest = recordform::kLatestVisitDate;
    Control<ui::DatePicker>(kVisitFirst)
        ->SetRange({earliest.year, earliest.month, earliest.day},
                   {latest.year, latest.month, latest.day});
    SetRecordFormToday();

    const int width = ui::ScreenSize().width;
    const int height = ui::ScreenSize().height - ui::TaskbarHeight();
    UTILITY_ResizeWindowAroundCenter(this, width, height);
    LayOutHeaderBand(width);
    LayOutControls(width, height);
    RedrawBand(kInfoBand);
    RedrawBand(kNoteInfoBand);
}

void CDlgOperationRoom::LayOutHeaderBand(int width) {
    FindControl(kHeader)->SetPlacement(ui::Rect::FromSize(0, 0, kHeaderWidth, kBandHeight));
    FindControl(kInfoBand)->SetPlacement(
        ui::Rect::FromSize(kHeaderWidth, 0, width - 171, kBandHeight));
    FindControl(kExit)->SetPlacement(ui::Rect::FromSize(width - 41, 0, kExitWidth, kBandHeight));
}

void CDlgOperationRoom::LayOutControls(int width, int height) {
    const int c = width - 1240;
    const int b = height - 640;
    const int d = height - 700;
    const Placement placements[] = {
        {kAddCustomer, 10, 60},
        {kSave, c, b},
        {kDelete, c, b},
        {kCamera, 10, b},
        {kSetup, 12, b},
        {kSearchText, 11, 60},
        {kSearch, 14, 62},
        {kCustomerList, 10, 60, 0, d},
        {kIdPhoto, 10, 60},
        {kName, 10, 60},
        {kGender, 10, 60},
        {kBloodType, 10, 60},
        {kPid, 10, 60},
        {kAddress, 10, 60},
        {kMedicalRecordNumber, 10, 60},
        {kVisitFirst, 10, 60},
        {kNotesFrame, 10, 50, width - 1250, 10},
        {kAddNote, 10, 63},
        {kNoteList, 10, 60},
        {kNoteText, 10, 60, width - 1250, -3},
        {kNoteInfoBand, 10, 60, width - 1250, -3},
        {kNoteSave, c, 60},
        {kNoteDelete, c, 60},
        {kMediaFrame, 3, 64, width - 1243, d - 4},
        {kMediaList, 3, 65, width - 1243, d - 5},
    };
    for (const Placement& placement : placements) {
        ui::Window* control = FindControl(placement.controlId);
        if (placement.growWidth != 0 || placement.growHeight != 0) {
            int32_t controlWidth = 0;
            int32_t controlHeight = 0;
            UTILITY_GetWindowSize(control, controlWidth, controlHeight);
            UTILITY_SetWindowSize(control, controlWidth + placement.growWidth,
                                  controlHeight + placement.growHeight);
        }
        UTILITY_MoveChildWindowBy(this, control, placement.dx, placement.dy);
        if (const uint16_t picture = PictureOf(placement.controlId)) {
            UTILITY_ResizeWindowToBitmap(control, picture);
        }
    }
}

void CDlgOperationRoom::OnDrawItem(int controlId, ui::DrawItem& item) {
    item.dc.FillRect(item.rect, kButtonFace);
    if (const uint16_t picture = PictureOf(controlId)) {
        UTILITY_DrawBitmapResource(item.dc, picture, item.rect.left, item.rect.top);
        return;
    }
    const std::wstring* band = controlId == kInfoBand       ? &mStringInfo
                               : controlId == kNoteInfoBand ? &mStringNoteInfo
                                                            : nullptr;
    if (band) {
        item.dc.SetFont(controlId == kInfoBand ? kMediumFont : kSmallFont);
        item.dc.SetTextColor(kBandText);
        item.dc.DrawTextCentered(item.rect, *band);
    }
}

void CDlgOperationRoom::RedrawBand(int controlId) {
    // The band's own text follows what it shows, for assistive tools; the picture is painted.
    ui::Window* band = FindControl(controlId);
    band->SetText(controlId == kInfoBand ? mStringInfo : mStringNoteInfo);
    band->Invalidate();
}

// The decoration pictures are placed from the controls' positions in the window.
void CDlgOperationRoom::OnPaintWindow(ui::DrawContext& dc) {
    const ui::Rect search = FindControl(kSearchText)->PlacementRect();
    const ui::Rect photo = FindControl(kIdPhoto)->PlacementRect();
    const ui::Rect name = FindControl(kName)->PlacementRect();
    const ui::Rect mediaFrame = FindControl(kMediaFrame)->PlacementRect();
    UTILITY_DrawBitmapResource(dc, resources::kBitmapSearchFrame, search.left - 5, search.top - 7);
    UTILITY_DrawBitmapResource(dc, resources::kBitmapRecordCaption, photo.left + 190, photo.top);
    UTILITY_DrawBitmapResource(dc, resources::kBitmapFieldLabels, name.left - 100, name.top - 13);
    UTILITY_DrawBitmapResource(dc, resources::kBitmapNoteCaption, photo.left + 530, photo.top);
    // The Photo caption sits on the media frame's top edge, as the Note caption sits on the
    // notes frame's, so that the media list never covers it.
    UTILITY_DrawBitmapResource(dc, resources::kBitmapPhotoCaption, photo.left + 190,
                               mediaFrame.top - 15);
}
