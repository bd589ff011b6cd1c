// The comment dialog: one capture at the size of the whole slot grid, full-screen and modal,
// with Previous, MailTo, Detail (the detail dialog, where the comment is written), Delete and
// Next below; a double click on the picture plays a video's clip. The image browser and the
// main window's media list open it and reload what they show when it returns.
//
// The window only binds controls: the capture's path, stepping, deleting and playing live in
// CaptureWalk, answered through SkinnedPrompts. UI thread only.
#pragma once

#include <memory>

#include "review/CaptureViewDialog.h"

class CaptureWalk;

class CDlgImageComment : public CaptureViewDialog {
  public:
    explicit CDlgImageComment(ui::Window* parent);
    ~CDlgImageComment() override;

    // For tests and the tour: the capture behind the window while it runs.
    const CaptureWalk& Capture() const { return *mCapture; }

  protected:
    bool OnInitDialog() override;

  private:
    void LayOutWindow();
    void OnBnClickedButtonImageCommentExit();
    void OnBnClickedButtonImageCommentPrevious();
    void OnBnClickedButtonImageCommentNext();
    void OnBnClickedButtonImageCommentMailto();
    void OnBnClickedButtonImageCommentDetail();
    void OnBnClickedButtonImageCommentDelete();
    void OnBnDoubleclickedButtonImageCommentPicture();

    std::unique_ptr<CaptureWalk> mCapture;
};
