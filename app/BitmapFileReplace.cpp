// Writing a picture beside its target and renaming it into place.
#include "app/BitmapFileReplace.h"

#include "platform/text/Text.h"
#include "utility/Bitmaps.h"
#include "utility/TempFile.h"

bool ReplaceBitmapFile(const ui::Bitmap& picture, const std::wstring& path) {
    if (picture.IsNull()) {
        return false;
    }
    utility::TempFile replacement(text::ToPath(path));
    return replacement.Valid() && utility::WriteBmpFile(replacement.Handle(), picture) &&
           replacement.Commit(utility::TempFile::Placement::kReplace);
}
