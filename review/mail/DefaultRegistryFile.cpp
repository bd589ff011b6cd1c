// Writing the registry file of a fresh installation.
#include "review/mail/DefaultRegistryFile.h"

#include <string>
#include <string_view>
#include <system_error>

#include "platform/fs/ProgramFolder.h"
#include "platform/sys/Registry.h"
#include "platform/text/Text.h"
#include "review/mail/OutlookLocation.h"
#include "utility/files/TempFile.h"

namespace mail {
namespace {

// A quoted text of the registry file: a backslash and a quote are escaped with a backslash.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string DefaultContent() {
    const std::string adapterFolder = (program::Folder() / kAdapterFolder).string() + "/";
    return "Windows Registry Editor Version 5.00\n"
           "; Written at the first start. \"Path\" is the folder of the mail client the MailTo\n"
           "; buttons start, a program named OUTLOOK.EXE; it must end in '/'.\n"
           "[HKEY_LOCAL_MACHINE\\" +
           text::ToUtf8(kOutlookKey) + "]\n" + Quoted(text::ToUtf8(kOutlookFolderValue)) + "=" +
           Quoted(adapterFolder) + "\n";
}

}  // namespace

bool PlaceDefaultRegistryFile() {
    const std::filesystem::path target = sys::RegistryFile();
    std::error_code error;
    if (std::filesystem::symlink_status(target, error).type() !=
        std::filesystem::file_type::not_found) {
        return false;
    }
    utility::TempFile file(target);
    return file.Valid() && utility::WriteAll(file.Handle(), DefaultContent()) &&
           file.Commit(utility::TempFile::Placement::kKeepExisting);
}

}  // namespace mail
