// The start-up cover: a full-screen window in a flat colour with a picture in its centre. It
// closes itself one second after it is shown, without input.
#pragma once

#include <cstdint>

#include "platform/ui/Dialog.h"

class CCoverDlg : public ui::Dialog {
  public:
    explicit CCoverDlg(ui::Window* parent);

    // Set by the caller before DoModal.
    uint16_t mPictureBitmapId = 0;
    ui::Color mBackgroundColor = ui::Rgb(0, 0, 0);

  protected:
    bool OnInitDialog() override;

  private:
    void OnPaintCover(ui::DrawContext& dc);
};
