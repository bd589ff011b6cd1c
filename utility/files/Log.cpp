// Appending lines and timestamps to the diagnostic log.
#include "utility/files/Log.h"

#include <fcntl.h>

#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "utility/files/FileHandle.h"
#include "utility/files/LocalTime.h"

std::wstring utility::DiagnosticLogPath(const std::wstring& programFolder) {
    return text::sprintf(L"%s/%s", programFolder, L"Sorvanti_LOG.ini");
}

int UTILITY_OpenLogFile(const std::wstring& path) {
    return ::open(text::ToPath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

void UTILITY_WriteLogLine(const std::wstring& path, const std::wstring& line) {
    utility::UniqueFd file(UTILITY_OpenLogFile(path));
    if (!file.Valid() || line.empty()) {
        return;
    }
    // The line ends at its first zero, as a zero-terminated text would.
    const std::wstring_view kept(line.c_str());
    std::string bytes = text::ToLatin1(kept).value_or(std::string());
    bytes += "\r\n";
    // One write in append mode: the line lands whole at the end even with several writers.
    utility::WriteAll(file.Get(), bytes);
}

void UTILITY_WriteLogTime(const std::wstring& path) {
    UTILITY_WriteLogTime(path, utility::LocalTimeNow());
}

void UTILITY_WriteLogTime(const std::wstring& path, const std::tm& time) {
    char stamp[32];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &time);
    UTILITY_WriteLogLine(path, text::FromLatin1(std::string_view(stamp, length)));
}
