// The skinned message box: one line of text and a picture OK button. It sizes itself to its
// text and centres itself over its owner. DoModal returns 1 for OK (and Enter), 2 for Escape.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"
#include "resources/ResourceIds.h"

class CImageMsgBoxDlg : public ui::Dialog {
  public:
    CImageMsgBoxDlg(ui::Window* owner, const std::wstring& text);

    // The text the box shows.
    const std::wstring& MessageText() const { return mText; }

  protected:
    bool OnInitDialog() override;

  private:
    void OnBnClickedButtonOk();
    void OnPaintBox(ui::DrawContext& dc);
    void OnDrawItem(int controlId, ui::DrawItem& item);

    ui::Window* mOwner;
    uint16_t mButtonBitmapId = resources::kBitmapOk;
    int32_t mDialogWidth = 0;
    int32_t mDialogHeight = 0;
    ui::Bitmap mButtonBitmap;
    int32_t mButtonWidth = 0;
    int32_t mButtonHeight = 0;
    int32_t mButtonX = 0;
    int32_t mButtonY = 0;
    std::wstring mText;
    ui::Font mFont{L"Lucida Console", 120};
    ui::Color mTextColor = ui::Rgb(0, 0, 0);
    int32_t mTextX = 30;
    int32_t mTextY = 30;
};
