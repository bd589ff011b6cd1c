// The skinned yes/no box: one line of question and picture YES and NO buttons. It sizes itself
// to its text and centres itself over its owner. DoModal returns 6 for YES, 7 for NO, 1 for
// Enter and 2 for Escape.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"

class CImageYesNoBoxDlg : public ui::Dialog {
  public:
    CImageYesNoBoxDlg(ui::Window* owner, const std::wstring& text);

    // The text the box shows.
    const std::wstring& MessageText() const { return mText; }

  protected:
    bool OnInitDialog() override;

  private:
    void OnBnClickedButtonYes();
    void OnBnClickedButtonNo();
    void OnPaintBox(ui::DrawContext& dc);
    void OnDrawItem(int controlId, ui::DrawItem& item);

    ui::Window* mOwner;
    uint16_t mYesBitmapId = 9304;
    uint16_t mNoBitmapId = 9305;
    int32_t mDialogWidth = 0;
    int32_t mDialogHeight = 0;
    ui::Bitmap mYesBitmap;
    ui::Bitmap mNoBitmap;
    int32_t mYesWidth = 0;
    int32_t mYesHeight = 0;
    int32_t mNoWidth = 0;
    int32_t mNoHeight = 0;
    std::wstring mText;
    ui::Font mFont{L"Lucida Console", 120};
    ui::Color mTextColor = ui::Rgb(0, 0, 0);
    int32_t mTextX = 30;
    int32_t mTextY = 30;
};
