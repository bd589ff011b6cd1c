// The setup dialog's message table and controls.
#include "camera/CDlgSetup.h"

#include "app/ConfigurationDefaults.h"
#include "camera/CCameraManager.h"
#include "camera/SetupIds.h"
#include "camera/Xu.h"
#include "platform/text/Format.h"
#include "resources/ResourceIds.h"
#include "utility/bitmaps/WindowGeometry.h"
#include "utility/files/Files.h"

using namespace setup;

namespace {

// Controls drawn on the dialog's colour: the three sliders' range.
constexpr int kFirstSliderColor = 1015;
constexpr int kLastSliderColor = 1024;

constexpr int kSliders[] = {kBrightness, kContrast, kSaturation};  // as cameraconfig::kAdjustments
const ui::Color kBackground = ui::Rgb(66, 68, 79);

}  // namespace

CDlgSetup::CDlgSetup(ui::Window* parent, CCameraManager& manager)
    : ui::Dialog(resources::kDialogSetup, parent),
      mManager(manager),
      mStringProgramFolder([] {
          std::wstring folder;
          UTILITY_GetModuleFolder(folder);
          return folder;
      }()),
      mStringConfigPath(text::sprintf(L"%s/%s", mStringProgramFolder, L"Sorvanti.ini")),
      mSettings(manager.Device().Graph(), mStringConfigPath) {
    OnHorizontalScroll(&CDlgSetup::OnSliderScroll);
    OnClick(kResetDefault, &CDlgSetup::OnBnClickedButtonSetupResetDefault);
    OnSelectionChange(kRecordFormats, &CDlgSetup::OnCbnSelchangeComboSetupRecord);
    OnSelectionChange(kCaptureFormats, &CDlgSetup::OnCbnSelchangeComboSetupCapture);
    OnControlColor(&CDlgSetup::OnCtlColor);
    OnClick(kXuIdGet, &CDlgSetup::OnBnClickedButtonSetupXuIdGet);
    OnClick(kXuIdSet, &CDlgSetup::OnBnClickedButtonSetupXuIdSet);
    OnClick(kXuDateTimeGet, &CDlgSetup::OnBnClickedButtonSetupXuDateTimeGet);
    OnClick(kXuDateTimeSet, &CDlgSetup::OnBnClickedButtonSetupXuDateTimeSet);
    OnClick(kXuKeyRefresh, &CDlgSetup::OnBnClickedButtonSetupXuKeyRefresh);
}

bool CDlgSetup::OnInitDialog() {
    SetText(text::sprintf(L"Sorvanti v%d.%d", kProgramVersionMajor, kProgramVersionMinor));
    for (int edit : {kXuId, kXuDateTime, kXuKey}) {
        FindControl(edit)->SetText(L"");
    }
    SetBackgroundColor(kBackground);
    auto* camera = Control<ui::ComboBox>(kCamera);
    camera->AddItem(mManager.Device().DisplayName());
    camera->SetSelection(0);
    InitSliders();
    InitFormatLists();
    UTILITY_ResizeWindowAroundCenter(this, 370, 350);
    return true;
}

void CDlgSetup::InitSliders() {
    for (std::size_t i = 0; i < cameraconfig::kAdjustments.size(); ++i) {
        auto* slider = Control<ui::TrackBar>(kSliders[i]);
        const CameraSettings::Slider setting =
            mSettings.InitialSlider(cameraconfig::kAdjustments[i]);
        if (!setting.supported) {
            slider->Hide();  // its label stays
            continue;
        }
        slider->SetRange(setting.min, setting.max);
        slider->SetTickFrequency(setting.step);
        slider->SetPosition(setting.position);
        slider->Show();
    }
}

void CDlgSetup::InitFormatLists() {
    auto* record = Control<ui::ComboBox>(kRecordFormats);
    auto* capture = Control<ui::ComboBox>(kCaptureFormats);
    for (const std::wstring& text : mSettings.RecordFormatTexts()) {
        record->AddItem(text);
    }
    for (const std::wstring& text : mSettings.CaptureFormatTexts()) {
        capture->AddItem(text);
    }
    mSettings.LoadFormatIndices();
    const CaptureGraph& graph = mManager.Device().Graph();
    capture->SetSelection(graph.currentCaptureFormat);
    record->SetSelection(graph.currentRecordFormat);
    // What the capture list shows is what the preview runs (no selection: stored as 0xFF, which
    // the restart turns into 0).
    mSettings.ChooseCaptureFormat(capture->Selection());
    RestartPreview();
}

void CDlgSetup::RestartPreview() {
    mManager.StopGraph();
    mManager.StartPreview();
}

const cameraconfig::Adjustment* CDlgSetup::AdjustmentOf(int controlId) {
    for (std::size_t i = 0; i < cameraconfig::kAdjustments.size(); ++i) {
        if (kSliders[i] == controlId) {
            return &cameraconfig::kAdjustments[i];
        }
    }
    return nullptr;
}

int CDlgSetup::SliderOf(const cameraconfig::Adjustment& adjustment) {
    return kSliders[&adjustment - cameraconfig::kAdjustments.data()];
}

void CDlgSetup::OnSliderScroll(int controlId, int code, int position) {
    if (const cameraconfig::Adjustment* adjustment = AdjustmentOf(controlId)) {
        mSettings.OnSliderScroll(*adjustment, code, position);
    }
}

void CDlgSetup::OnBnClickedButtonSetupResetDefault() {
    mSettings.ResetDefaults([this](const cameraconfig::Adjustment& adjustment, int32_t value) {
        auto* slider = Control<ui::TrackBar>(SliderOf(adjustment));
        slider->SetPosition(value);
        slider->Invalidate();
    });
}

void CDlgSetup::OnCbnSelchangeComboSetupRecord() {
    mSettings.ChooseRecordFormat(Control<ui::ComboBox>(kRecordFormats)->Selection());
}

void CDlgSetup::OnCbnSelchangeComboSetupCapture() {
    mSettings.ChooseCaptureFormat(Control<ui::ComboBox>(kCaptureFormats)->Selection());
    RestartPreview();
}

void CDlgSetup::OnCtlColor(ui::ControlColor& request) {
    if (request.controlId >= kFirstSliderColor && request.controlId <= kLastSliderColor) {
        request.background = kBackground;
    }
    // Labels and frame titles stand on the dialog's dark colour: written in white to be read.
    if (request.kind == ui::ControlKind::StaticText || request.kind == ui::ControlKind::GroupBox) {
        request.text = ui::Rgb(255, 255, 255);
    }
}

void CDlgSetup::OnBnClickedButtonSetupXuIdGet() {
    std::wstring text;
    Xu::Instance().GetId(mManager.Device().Graph().sourceFilter.get(), text);
    FindControl(kXuId)->SetText(text);
}

// The SET buttons are disabled in the template; they write fixed patterns, not the edits' text.
void CDlgSetup::OnBnClickedButtonSetupXuIdSet() {
    Xu::Instance().SetId(mManager.Device().Graph().sourceFilter.get());
}

void CDlgSetup::OnBnClickedButtonSetupXuDateTimeGet() {
    std::wstring text;
    Xu::Instance().GetDateTime(mManager.Device().Graph().sourceFilter.get(), text);
    FindControl(kXuDateTime)->SetText(text);
}

void CDlgSetup::OnBnClickedButtonSetupXuDateTimeSet() {
    Xu::Instance().SetDateTime(mManager.Device().Graph().sourceFilter.get());
}

void CDlgSetup::OnBnClickedButtonSetupXuKeyRefresh() {
    uint32_t value = 0;
    const capture::Status status =
        Xu::Instance().GetKeyEvent(mManager.Device().Graph().sourceFilter.get(), value);
    FindControl(kXuKey)->SetText(KeyStateText(status, value));
}
