// The detail dialog's comment rules without the window: a capture's comment is its photo row's
// PHOTO_COMMENT, found by the picture's title. The stored comment is read when the dialog
// opens, whether or not the picture loads, so what Exit stores is always what the operator
// saw and edited. Exit stores by name, inserting a row for the patient with today's date when
// there is none; Previous and Next store only into an existing row of the patient and then
// step; Delete discards the text. Stepping, deleting and the path come from CaptureWalk.
//
// UI thread only, as the record store it uses. Messages go through OperatorPrompts.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "review/CaptureWalk.h"

class ImageDetailWorkflow {
  public:
    // Today's date as PHOTO_DATE wants it, "3/7/2016".
    using DateSource = std::function<std::wstring()>;
    static std::wstring Today();

    ImageDetailWorkflow(MediaContext context, std::wstring path, OperatorPrompts& prompts,
                        DateSource today = &ImageDetailWorkflow::Today);

    CaptureWalk& Capture() { return mCapture; }
    const std::wstring& Path() const { return mCapture.Path(); }

    // The stored comment of the capture the dialog opens on; empty when it has no row (or no
    // path).
    std::wstring OpeningComment();
    // Stores `comment` on leaving by Exit: over the comment of the row with the capture's name,
    // or in a new row of the patient dated today when there is none. Nothing without a path
    // or title.
    void StoreOnExit(const std::wstring& comment);
    // Stores `comment` into the patient's row of the capture (no row, nothing stored), then
    // steps. The comment of the capture stepped to (empty without a row), or nullopt when there
    // is no path or no neighbour: the editor then keeps its text.
    std::optional<std::wstring> StoreAndStep(StepDirection direction, const std::wstring& comment);

  private:
    CaptureWalk mCapture;
    DateSource mToday;
};
