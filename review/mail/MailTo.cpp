// The MailTo buttons' common steps: one log block around the hand-off, the same for the three
// windows but for their names and value lines.
#include "review/mail/MailTo.h"

#include <vector>

#include "platform/text/Format.h"
#include "review/mail/MailHandOff.h"
#include "review/mail/MailLog.h"
#include "utility/files/Files.h"
#include "utility/files/Log.h"

namespace {

struct Handler {
    const wchar_t* entryLine;
    const wchar_t* exitLine;
};

constexpr Handler kBrowser{L"OnBnClickedButtonImageBrowserMailto >>",
                           L"OnBnClickedButtonImageBrowserMailto <<"};
constexpr Handler kComment{L"OnBnClickedButtonImageCommentMailto >>",
                           L"OnBnClickedButtonImageCommentMailto <<"};
constexpr Handler kDetail{L"OnBnClickedButtonImageDetailMailto",
                          L"OnBnClickedButtonImageDetailMailto <<"};

// `valueLines` ends with the line naming `file`, which is written again after a hand-off that
// started the client.
void MailTo(const Handler& handler, const std::vector<std::wstring>& valueLines,
            const std::wstring& file, OperatorPrompts& prompts) {
    const std::wstring log = mail::LogPath();
    UTILITY_WriteLogLine(log, mail::kLogSeparator);
    UTILITY_WriteLogTime(log);
    UTILITY_WriteLogLine(log, handler.entryLine);
    for (const std::wstring& line : valueLines) {
        UTILITY_WriteLogLine(log, line);
    }
    if (!UTILITY_FileExists(file)) {
        UTILITY_WriteLogLine(log, L"ERROR! File Path Invalid!");
        prompts.ShowMessage(L"File Path Invalid!");
    }
    if (UTILITY_OutlookSendMail2(L"", L"Subject", L"Body", file)) {
        UTILITY_WriteLogLine(log, L"UTILITY_OutlookSendMail2 Pass.");
        UTILITY_WriteLogLine(log, valueLines.back());
    } else {
        UTILITY_WriteLogLine(log, L"UTILITY_OutlookSendMail2 Fail.");
        prompts.ShowMessage(L"Outlook Sendmail Error!");
    }
    UTILITY_WriteLogLine(log, handler.exitLine);
    UTILITY_WriteLogLine(log, mail::kLogSeparator);
}

void MailToSelectedPhoto(const Handler& handler, const std::wstring& path,
                         OperatorPrompts& prompts) {
    MailTo(handler, {text::sprintf(L"mStringFullPathOfPhotoSelected : %s", path)}, path, prompts);
}

}  // namespace

void MailToBrowser(int32_t selection, const std::array<std::wstring, 4>& slotPaths,
                   OperatorPrompts& prompts) {
    const std::wstring file = selection >= 0 && selection < static_cast<int32_t>(slotPaths.size())
                                  ? slotPaths[selection]
                                  : std::wstring();
    MailTo(kBrowser,
           {text::sprintf(L"mSelectIndicatorCurrent : %d", selection),
            text::sprintf(L"mImageFileFullPathA : %s", slotPaths[0]),
            text::sprintf(L"mImageFileFullPathB : %s", slotPaths[1]),
            text::sprintf(L"mImageFileFullPathC : %s", slotPaths[2]),
            text::sprintf(L"mImageFileFullPathD : %s", slotPaths[3]),
            text::sprintf(L"fullPathOfCurrentSelected : %s", file)},
           file, prompts);
}

void MailToComment(const std::wstring& path, OperatorPrompts& prompts) {
    MailToSelectedPhoto(kComment, path, prompts);
}

void MailToDetail(const std::wstring& path, OperatorPrompts& prompts) {
    MailToSelectedPhoto(kDetail, path, prompts);
}
