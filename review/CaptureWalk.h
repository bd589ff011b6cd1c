// The one capture the comment and detail dialogs show, and what they do to it without a
// window: its path (mStringFullPathOfPhotoSelected) and title, stepping to the previous or
// next capture of the images folder, deleting it (picture, thumbnail, clip, then rows) and
// playing its clip. The window loads and shows the picture of Path() after each change.
//
// UI thread only, as the record store it uses. Messages go through OperatorPrompts.
#pragma once

#include <string>

#include "review/CaptureDeletion.h"
#include "review/MediaContext.h"

class OperatorPrompts;

enum class StepDirection { kPrevious, kNext };

class CaptureWalk {
  public:
    // `path` is the full path of the picture to show; it may be empty or name a file that is
    // missing or no picture: stepping, deleting and playing still work on it.
    CaptureWalk(MediaContext context, std::wstring path, OperatorPrompts& prompts);

    const MediaContext& Context() const { return mContext; }
    // Empty after a deletion.
    const std::wstring& Path() const { return mStringFullPathOfPhotoSelected; }
    // The picture's name without folder and extension: its PHOTO_NAME.
    std::wstring Title() const;

    // Moves to the neighbouring capture of the images folder (the folder's order, names with
    // an upper-case "P" or "V"), found from the title followed by ".bmp". false, and the path
    // stays, when the path is empty or there is no neighbour that way.
    bool Step(StepDirection direction);
    // Asks and deletes the capture with its clip (CaptureDeletion.h); once it is gone the path
    // is emptied. A confirmed delete of an empty path deletes nothing and says kDeleted.
    DeleteOutcome Delete();
    // Plays the clip when the capture is a video still; true when a player was started.
    bool PlayClip() const;

  private:
    MediaContext mContext;
    std::wstring mStringFullPathOfPhotoSelected;
    OperatorPrompts& mPrompts;
};
