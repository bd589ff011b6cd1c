// The log's path.
#include "review/mail/MailLog.h"

#include "utility/files/Files.h"
#include "utility/files/Log.h"

namespace mail {

std::wstring LogPath() {
    std::wstring folder;
    UTILITY_GetModuleFolder(folder);
    return utility::DiagnosticLogPath(folder);
}

}  // namespace mail
