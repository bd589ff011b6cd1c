// The comment dialog: one capture at the size of the whole slot grid, full-screen and modal,
// with Previous, MailTo, Detail (the detail dialog, where the comment is written), Delete and
// Next below; a double click on the picture plays a video's clip. The image browser and the
// main window's media list open it and reload what they show when it returns.
//
// The window only binds controls: the capture's path, stepping, deleting and playing live in
// CaptureWalk, answered through SkinnedPrompts. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/SlotLayout.h"
#include "platform/ui/Dialog.h"
#include "utility/boxes/SkinnedPrompts.h"

class CaptureWalk;
class DATABASECONTEXT;

class CDlgImageComment : public ui::Dialog {
  public:
    explicit CDlgImageComment(ui::Window* parent);
    ~CDlgImageComment() override;

    // The record store (borrowed), the patient, the folders (each ending in '/') and the full
    // path of the picture to show; the layout follows the screen's size now.
    void SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                         const std::wstring& imageFolder, const std::wstring& videoFolder,
                         const std::wstring& imagePath);

    // For tests and the tour: the capture behind the window while it runs.
    const CaptureWalk& Capture() const { return *mCapture; }

  protected:
    bool OnInitDialog() override;
    // Enter does nothing.
    void OnOK() override {}

  private:
    void LayOutWindow();
    // Shows the picture of the capture's path when it loads; true if it did. Otherwise the
    // picture shown before stays.
    bool ShowImage();
    void OnDrawItem(int controlId, ui::DrawItem& item);
    void OnBnClickedButtonImageCommentExit();
    void OnBnClickedButtonImageCommentPrevious();
    void OnBnClickedButtonImageCommentNext();
    void OnBnClickedButtonImageCommentMailto();
    void OnBnClickedButtonImageCommentDetail();
    void OnBnClickedButtonImageCommentDelete();
    void OnBnDoubleclickedButtonImageCommentPicture();

    SkinnedPrompts mPrompts{this};
    DATABASECONTEXT* mRecordStore = nullptr;
    int32_t mCustomerSerialNumber = -1;
    std::wstring mStringImageFolder;
    std::wstring mStringVideoFolder;
    std::wstring mStringImagePath;
    std::wstring mStringCaption;
    SlotLayout mLayout;
    std::unique_ptr<CaptureWalk> mCapture;
    ui::Bitmap mPictureBitmap;
};
