// What the comment and detail dialogs share: the media context they are given, the window over
// the screen with the header band and the patient's caption, the row of five face buttons
// centred under the slot grid, and one capture's picture stretched into its button. UI thread
// only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/SlotLayout.h"
#include "platform/ui/Dialog.h"
#include "review/MediaContext.h"
#include "review/ReviewWindowLook.h"
#include "utility/boxes/SkinnedPrompts.h"

class DATABASECONTEXT;

class CaptureViewDialog : public ui::Dialog {
  public:
    // The template's header band, its five face buttons from Previous to Next and its picture
    // button.
    struct Controls {
        reviewlook::Band band;
        int previous;
        int mailTo;
        int detail;
        int remove;
        int next;
        int picture;
    };

    // The record store (borrowed), the patient, the folders (each ending in '/') and the full
    // path of the picture to show; the layout follows the screen's size now.
    void SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                         const std::wstring& imageFolder, const std::wstring& videoFolder,
                         const std::wstring& imagePath);

  protected:
    CaptureViewDialog(int templateId, ui::Window* parent, const Controls& controls);

    // Enter does nothing.
    void OnOK() override {}

    // Whether a record store was given; without one the dialog has ended.
    bool HasMediaContext();
    MediaContext Context() const;
    // The window, the band with the caption and the face row.
    void LayOutFrame();
    // Shows the picture at `path` stretched into the picture button; true if it loaded.
    // Otherwise the picture shown before stays.
    bool ShowPicture(const std::wstring& path);

    SkinnedPrompts mPrompts{this};
    DATABASECONTEXT* mRecordStore = nullptr;
    int32_t mCustomerSerialNumber = -1;
    std::wstring mStringImageFolder;
    std::wstring mStringVideoFolder;
    std::wstring mStringImagePath;
    SlotLayout mLayout;

  private:
    void OnDrawItem(int controlId, ui::DrawItem& item);

    Controls mControls;
    std::array<reviewlook::Face, 5> mRow;
    std::wstring mStringCaption;
    ui::Bitmap mPictureBitmap;
};
