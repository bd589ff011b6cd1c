// Deleting one capture from a review window, in the one order that never loses a comment: the
// picture first; only once it is gone (a picture that is missing already counts as gone) its
// thumbnail (the file of the same name in the thumbnail folder below the images folder), the
// clip of a video where the window deletes clips, and last the photo rows named by the
// picture's title. A picture that cannot be deleted (read-only folder, ...) keeps its rows,
// thumbnail and clip, and the operator is told "Delete fail.".
//
// UI thread only, as the record store. Questions and messages go through OperatorPrompts.
#pragma once

#include <string>

#include "review/MediaContext.h"

class OperatorPrompts;

// The image browser leaves a video's clip in place; the comment and detail dialogs delete it.
enum class ClipFate { kKept, kDeleted };

enum class DeleteOutcome {
    kNotConfirmed,  // the operator did not answer YES; nothing changed
    kDeleted,       // the picture is gone (for an empty path: nothing to delete)
    kFailed,        // the picture stayed; "Delete fail." was shown and nothing else changed
};

// Asks "Are you sure want to delete this image ?" and, on YES, deletes the capture whose
// picture is `picturePath` as above.
DeleteOutcome AskAndDeleteCapture(const MediaContext& context, const std::wstring& picturePath,
                                  ClipFate clip, OperatorPrompts& prompts);
