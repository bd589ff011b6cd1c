// The detail dialog: one capture at slot size above its comment editor on a grey panel,
// full-screen, modal and drawn at an opacity of 200 of 255. Exit stores the comment and
// closes; Previous and Next store it and step; Delete deletes the capture and closes; Escape
// closes without storing. Only the comment dialog opens it.
//
// The window only binds controls: reading and storing the comment, stepping and deleting live
// in ImageDetailWorkflow, answered through SkinnedPrompts. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "media/SlotLayout.h"
#include "platform/ui/Dialog.h"
#include "review/CaptureWalk.h"
#include "utility/boxes/SkinnedPrompts.h"

class DATABASECONTEXT;
class ImageDetailWorkflow;

class CDlgImageDetail : public ui::Dialog {
  public:
    explicit CDlgImageDetail(ui::Window* parent);
    ~CDlgImageDetail() override;

    // The record store (borrowed), the patient, the folders (each ending in '/') and the full
    // path of the picture to show; the layout follows the screen's size now.
    void SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                         const std::wstring& imageFolder, const std::wstring& videoFolder,
                         const std::wstring& imagePath);

    // For tests and the tour: the rules behind the window while it runs.
    const ImageDetailWorkflow& Workflow() const { return *mWorkflow; }

  protected:
    bool OnInitDialog() override;
    // Enter does nothing; in the comment editor it starts a new line.
    void OnOK() override {}

  private:
    void LayOutWindow();
    // Shows the picture of the capture's path when it loads; the picture shown before stays
    // otherwise.
    void ShowImage();
    // Stores the comment, then shows the neighbouring capture with its comment.
    void Step(StepDirection direction);
    void OnDrawItem(int controlId, ui::DrawItem& item);
    void OnPaintPanel(ui::DrawContext& dc);
    void OnControlColorComment(ui::ControlColor& request);
    void OnBnClickedButtonImageDetailExit();
    void OnBnClickedButtonImageDetailPrevious();
    void OnBnClickedButtonImageDetailNext();
    void OnBnClickedButtonImageDetailMailto();
    void OnBnClickedButtonImageDetailDelete();

    SkinnedPrompts mPrompts{this};
    DATABASECONTEXT* mRecordStore = nullptr;
    int32_t mCustomerSerialNumber = -1;
    std::wstring mStringImageFolder;
    std::wstring mStringVideoFolder;
    std::wstring mStringImagePath;
    std::wstring mStringCaption;
    SlotLayout mLayout;
    std::unique_ptr<ImageDetailWorkflow> mWorkflow;
    ui::Bitmap mPictureBitmap;
};
