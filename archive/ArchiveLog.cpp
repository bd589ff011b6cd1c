// The archive's blocks in the diagnostic log.
#include "archive/ArchiveLog.h"

#include "platform/text/Text.h"
#include "utility/files/Files.h"
#include "utility/files/Log.h"

void LogArchiveProblem(const std::string& text) {
    std::wstring folder;
    UTILITY_GetModuleFolder(folder);
    const std::wstring log = utility::DiagnosticLogPath(folder);
    UTILITY_WriteLogLine(log, L"-------------");
    UTILITY_WriteLogTime(log);
    UTILITY_WriteLogLine(log, L"Archive >>");
    UTILITY_WriteLogLine(log, text::FromUtf8(text));
}
