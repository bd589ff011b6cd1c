// Testing whether a path can be opened for reading.
#include <fcntl.h>

#include "platform/text/Text.h"
#include "utility/files/FileHandle.h"
#include "utility/files/Files.h"

bool UTILITY_FileExists(const std::wstring& path) {
    // O_NONBLOCK: opening a FIFO for reading must not wait for a writer.
    const utility::UniqueFd file(
        ::open(text::ToPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return file.Valid();
}
