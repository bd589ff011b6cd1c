// Writing a picture beside its target and renaming it into place.
#include "app/BitmapFileReplace.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text/Text.h"
#include "utility/Bitmaps.h"

namespace {

bool SyncFile(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return false;
    }
    const bool synced = ::fsync(file) == 0;
    return ::close(file) == 0 && synced;
}

}  // namespace

bool ReplaceBitmapFile(const ui::Bitmap& picture, const std::wstring& path) {
    const std::string target = text::ToUtf8(path);
    const size_t slash = target.rfind('/');
    std::string temporary =
        (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
        ".sorvanti-XXXXXX";
    const int file = ::mkstemp(temporary.data());
    if (file < 0) {
        return false;
    }
    // mkstemp makes the file private; a picture is readable like every other file we write.
    const bool prepared = ::fchmod(file, 0644) == 0;
    ::close(file);
    if (prepared && UTILITY_SaveBitmapFile(picture, text::FromUtf8(temporary)) &&
        SyncFile(temporary) && ::rename(temporary.c_str(), target.c_str()) == 0) {
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}
