// The log's path.
#include "review/mail/MailLog.h"

#include "platform/text/Format.h"
#include "utility/files/Files.h"

namespace mail {

std::wstring LogPath() {
    std::wstring folder;
    UTILITY_GetModuleFolder(folder);
    return text::sprintf(L"%s/%s", folder, L"Sorvanti_LOG.ini");
}

}  // namespace mail
