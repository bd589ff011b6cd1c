// The setup dialog: the camera in use, the format indices for recording and for preview and
// stills, brightness, contrast and saturation (applied at the end of a drag and kept in the
// configuration file), Reset Default, and the camera's identity, clock and key state read
// through its extension unit. It runs modally over a camera window in setup mode, on the camera
// window's manager; its end closes that window.
//
// The dialog binds controls to CameraSettings (the rules) and the extension unit (Xu). UI
// thread.
#pragma once

#include <string>

#include "camera/CameraSettings.h"
#include "platform/ui/Dialog.h"

class CCameraManager;

class CDlgSetup : public ui::Dialog {
  public:
    CDlgSetup(ui::Window* parent, CCameraManager& manager);

  protected:
    bool OnInitDialog() override;
    // Enter does nothing.
    void OnOK() override {}

  private:
    void InitSliders();
    void InitFormatLists();
    // Stops the graph and starts the preview again with the stored capture format.
    void RestartPreview();
    // The adjustment of slider `controlId`; null for any other control.
    static const cameraconfig::Adjustment* AdjustmentOf(int controlId);
    static int SliderOf(const cameraconfig::Adjustment& adjustment);

    void OnSliderScroll(int controlId, int code, int position);
    void OnBnClickedButtonSetupResetDefault();
    void OnCbnSelchangeComboSetupRecord();
    void OnCbnSelchangeComboSetupCapture();
    void OnCtlColor(ui::ControlColor& request);
    void OnBnClickedButtonSetupXuIdGet();
    void OnBnClickedButtonSetupXuIdSet();
    void OnBnClickedButtonSetupXuDateTimeGet();
    void OnBnClickedButtonSetupXuDateTimeSet();
    void OnBnClickedButtonSetupXuKeyRefresh();

    CCameraManager& mManager;
    std::wstring mStringProgramFolder;
    std::wstring mStringConfigPath;
    CameraSettings mSettings;
};
