// The hand-off to the mail client, step by step in the diagnostic log.
#include "review/mail/MailHandOff.h"

#include "platform/text/Format.h"
#include "review/mail/MailLog.h"
#include "review/mail/OutlookCommandLine.h"
#include "review/mail/OutlookLocation.h"
#include "utility/files/Files.h"
#include "utility/files/Log.h"
#include "utility/system/System.h"

namespace {
constexpr int32_t kClientWaitMilliseconds = 6000;
}  // namespace

bool UTILITY_OutlookSendMail2(std::wstring address, std::wstring subject, std::wstring body,
                              std::wstring attachedFilePath) {
    const std::wstring log = mail::LogPath();
    UTILITY_WriteLogLine(log, mail::kLogSeparator);
    UTILITY_WriteLogTime(log);
    UTILITY_WriteLogLine(log, L"UTILITY_OutlookSendMail2 >>");
    UTILITY_WriteLogLine(log, text::sprintf(L"Address : [%s]", address));
    UTILITY_WriteLogLine(log, text::sprintf(L"Subject : [%s]", subject));
    UTILITY_WriteLogLine(log, text::sprintf(L"Body : [%s]", body));
    UTILITY_WriteLogLine(log, text::sprintf(L"AttachedFilePath : [%s]", attachedFilePath));

    bool started = false;
    std::wstring pathOutlook;
    UTILITY_GetRegistryKeyString(mail::kOutlookKey, mail::kOutlookFolderValue, pathOutlook);
    if (pathOutlook.empty()) {
        UTILITY_WriteLogLine(log, L"UTILITY_GetRegistryKeyString Fail!");
    } else {
        UTILITY_WriteLogLine(log, text::sprintf(L"pathOutlook : [%s]", pathOutlook));
        const bool attach = UTILITY_FileExists(attachedFilePath);
        if (!attach) {
            UTILITY_WriteLogLine(log, L"ERROR! AttachedFilePath Does Not Exist!");
        }
        const mail::OutlookCommandLine line = mail::BuildOutlookCommandLine(
            pathOutlook, address, subject, body, attach ? &attachedFilePath : nullptr);
        UTILITY_WriteLogLine(log, text::sprintf(L"message : [%s]", line.message));
        UTILITY_WriteLogLine(log, text::sprintf(L"command : [%s]", line.logged));
        std::wstring command = line.run;
        started = UTILITY_RunProgram(command, kClientWaitMilliseconds) != 0;
    }

    UTILITY_WriteLogLine(log, L"UTILITY_OutlookSendMail2 <<");
    UTILITY_WriteLogLine(log, mail::kLogSeparator);
    return started;
}
