// Deleting a folder tree without ever following a symbolic link out of it.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "utility/files/FileHandle.h"
#include "utility/files/Files.h"

namespace {

bool DeleteEntry(int parent, const char* name);

// Deletes what the open folder holds, going on past failures. Entries are addressed relative
// to the folder's descriptor, so a folder swapped for a link during the walk is not followed.
void DeleteContents(int folder) {
    std::vector<std::string> names;
    // The listing gets a descriptor of its own: closedir() closes it, the caller keeps `folder`.
    utility::UniqueFd listingHandle(::dup(folder));
    if (DIR* listing = listingHandle.Valid() ? ::fdopendir(listingHandle.Get()) : nullptr) {
        listingHandle.Release();
        while (const dirent* entry = ::readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(listing);
    }
    for (const auto& name : names) {
        DeleteEntry(folder, name.c_str());
    }
}

// Deletes `name` in the folder `parent`: a folder with its contents, anything else (a link
// included) as itself. true when the entry is gone.
bool DeleteEntry(int parent, const char* name) {
    struct stat entry;
    if (::fstatat(parent, name, &entry, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    int flags = 0;
    if (S_ISDIR(entry.st_mode)) {
        const utility::UniqueFd folder(
            ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.Valid()) {
            DeleteContents(folder.Get());
        }
        flags = AT_REMOVEDIR;
    }
    return ::unlinkat(parent, name, flags) == 0 || errno == ENOENT;
}

}  // namespace

bool UTILITY_DeleteFolder(const std::wstring& folder) {
    std::string path = text::ToUtf8(folder);
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    struct stat entry;
    if (::lstat(path.c_str(), &entry) != 0) {
        return errno == ENOENT;
    }
    // Never the root of the file system, which a path formed from empty parts could name.
    if (path == "/" || (!S_ISDIR(entry.st_mode) && !S_ISLNK(entry.st_mode))) {
        return false;
    }
    return DeleteEntry(AT_FDCWD, path.c_str());
}
