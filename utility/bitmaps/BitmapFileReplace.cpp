// Writing a picture beside its target and renaming it into place.
#include "utility/bitmaps/BitmapFileReplace.h"

#include "platform/text/Text.h"
#include "utility/bitmaps/Bitmaps.h"
#include "utility/files/TempFile.h"

bool ReplaceBitmapFile(const ui::Bitmap& picture, const std::wstring& path) {
    if (picture.IsNull()) {
        return false;
    }
    utility::TempFile replacement(text::ToPath(path));
    return replacement.Valid() && utility::WriteBmpFile(replacement.Handle(), picture) &&
           replacement.Commit(utility::TempFile::Placement::kReplace);
}
