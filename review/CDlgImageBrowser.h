// The image browser: a full-screen modal window showing the last four captures of an images
// folder in slots A to D, one of them selected, with Back, MailTo, Comment and Delete below;
// a double click on a slot plays its clip. The camera window opens it on the captures not yet
// filed. It owns no files and no rows: it borrows the record store and works on the folders
// it is given.
//
// The window only binds controls: which captures the slots show, the selection and what the
// buttons do to files and rows live in ImageBrowserWorkflow, answered through SkinnedPrompts.
// UI thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "media/SlotLayout.h"
#include "platform/ui/Dialog.h"
#include "utility/boxes/SkinnedPrompts.h"

class DATABASECONTEXT;
class ImageBrowserWorkflow;

class CDlgImageBrowser : public ui::Dialog {
  public:
    explicit CDlgImageBrowser(ui::Window* parent);
    ~CDlgImageBrowser() override;

    // The record store (borrowed), the patient and the folders to list, each ending in '/';
    // the slot layout follows the screen's size now.
    void SetMediaContext(DATABASECONTEXT* recordStore, int32_t customerSerialNumber,
                         const std::wstring& imageFolder, const std::wstring& videoFolder);

    // For tests and the tour: the rules behind the window while it runs.
    const ImageBrowserWorkflow& Workflow() const { return *mWorkflow; }

  protected:
    bool OnInitDialog() override;
    // Enter does nothing.
    void OnOK() override {}

  private:
    void LayOutWindow();
    // Fills the slots from the images folder; returns the number of captures found.
    int32_t LoadImageSlots();
    // Frames the selected slot, or hides the frame without a selection.
    void ShowSelection();
    void OnDrawItem(int controlId, ui::DrawItem& item);
    void OnControlColorSlot(ui::ControlColor& request);
    void OnBnClickedButtonImageBrowserBack();
    void OnBnClickedButtonImageBrowserMailto();
    void OnBnClickedButtonImageBrowserComment();
    void OnBnClickedButtonImageBrowserDelete();
    template <int slot>
    void OnBnClickedButtonImageBrowserSlot();
    template <int slot>
    void OnBnDoubleclickedButtonImageBrowserSlot();

    SkinnedPrompts mPrompts{this};
    DATABASECONTEXT* mRecordStore = nullptr;
    int32_t mCustomerSerialNumber = -1;
    std::wstring mStringImageFolder;
    std::wstring mStringVideoFolder;
    std::wstring mStringCaption;
    SlotLayout mLayout;
    std::unique_ptr<ImageBrowserWorkflow> mWorkflow;
    std::array<ui::Bitmap, 4> mSlotBitmaps;
};
