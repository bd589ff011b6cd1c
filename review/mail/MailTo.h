// The MailTo buttons of the three review windows without a window: each writes its block to the
// diagnostic log, warns when the picture is missing, hands the picture to the mail client
// (UTILITY_OutlookSendMail2) and reports a failed hand-off. The windows call these from their
// button handlers with their SkinnedPrompts; tests pass scripted prompts.
//
// Every call writes, to <program folder>/Sorvanti_LOG.ini: "-------------", the time, the
// handler's entry line, its value lines; "ERROR! File Path Invalid!" (and the message
// "File Path Invalid!") when the picture cannot be opened, after which the client is still
// started, without an attachment; the hand-off's own block; then "UTILITY_OutlookSendMail2 Pass."
// and the last value line once more, or "UTILITY_OutlookSendMail2 Fail." (and the message
// "Outlook Sendmail Error!"); the exit line and "-------------".
//
// UI thread: the hand-off waits up to 6000 ms for the mail client's process.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "utility/boxes/OperatorPrompts.h"

// The image browser's MailTo (OnBnClickedButtonImageBrowserMailto). `selection` is the browser's
// mSelectIndicatorCurrent: 0 to 3 pick slot A to D of `slotPaths` (mImageFileFullPathA to D);
// any other value picks no file.
void MailToBrowser(int32_t selection, const std::array<std::wstring, 4>& slotPaths,
                   OperatorPrompts& prompts);

// The comment dialog's MailTo (OnBnClickedButtonImageCommentMailto) for its
// mStringFullPathOfPhotoSelected.
void MailToComment(const std::wstring& path, OperatorPrompts& prompts);

// The detail dialog's MailTo (OnBnClickedButtonImageDetailMailto) for its
// mStringFullPathOfPhotoSelected; its entry line is the handler's name without " >>".
void MailToDetail(const std::wstring& path, OperatorPrompts& prompts);
