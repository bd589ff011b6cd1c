// The review windows' MailTo buttons: the hand-off of the selected picture to the desktop's
// mail client, with its log block and messages, one call per window. The windows call only
// these.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class OperatorPrompts;

// The browser's selection (0 = A ... 3 = D, 4 = none) and its four slot paths.
void MailToBrowser(int32_t selection, const std::array<std::wstring, 4>& slotPaths,
                   OperatorPrompts& prompts);
// The comment or detail dialog's picture (mStringFullPathOfPhotoSelected).
void MailToComment(const std::wstring& path, OperatorPrompts& prompts);
void MailToDetail(const std::wstring& path, OperatorPrompts& prompts);
