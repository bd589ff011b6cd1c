// The detail dialog: one capture at slot size above its comment editor on a grey panel,
// full-screen, modal and drawn at an opacity of 200 of 255. Exit stores the comment and
// closes; Previous and Next store it and step; Delete deletes the capture and closes; Escape
// closes without storing. Only the comment dialog opens it.
//
// The window only binds controls: reading and storing the comment, stepping and deleting live
// in ImageDetailWorkflow, answered through SkinnedPrompts. UI thread only.
#pragma once

#include <memory>

#include "review/CaptureViewDialog.h"
#include "review/CaptureWalk.h"

class ImageDetailWorkflow;

class CDlgImageDetail : public CaptureViewDialog {
  public:
    explicit CDlgImageDetail(ui::Window* parent);
    ~CDlgImageDetail() override;

    // For tests and the tour: the rules behind the window while it runs.
    const ImageDetailWorkflow& Workflow() const { return *mWorkflow; }

  protected:
    // Enter does nothing (the base's OnOK); in the comment editor it starts a new line.
    bool OnInitDialog() override;

  private:
    void LayOutWindow();
    // Stores the comment, then shows the neighbouring capture with its comment.
    void Step(StepDirection direction);
    void OnPaintPanel(ui::DrawContext& dc);
    void OnControlColorComment(ui::ControlColor& request);
    void OnBnClickedButtonImageDetailExit();
    void OnBnClickedButtonImageDetailPrevious();
    void OnBnClickedButtonImageDetailNext();
    void OnBnClickedButtonImageDetailMailto();
    void OnBnClickedButtonImageDetailDelete();

    std::unique_ptr<ImageDetailWorkflow> mWorkflow;
};
