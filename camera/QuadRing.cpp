// The four-pane ring and its eviction.
#include "camera/QuadRing.h"

#include <unistd.h>

#include "media/MediaLayout.h"
#include "platform/text/Text.h"
#include "utility/files/Files.h"

namespace {

// Deletion failures are ignored: the file then stays in Temp.
void DeleteFile(const std::wstring& path) {
    ::unlink(text::ToUtf8(path).c_str());
}

}  // namespace

QuadRing::QuadRing(std::wstring imagesFolder, std::wstring thumbnailFolder,
                   std::wstring videosFolder)
    : mImagesFolder(std::move(imagesFolder)),
      mThumbnailFolder(std::move(thumbnailFolder)),
      mVideosFolder(std::move(videosFolder)) {}

int QuadRing::Add(const std::wstring& fileName) {
    if (mSingleView) {
        return -1;
    }
    const int pane = mNextSlot;
    mEmpty[pane] = false;
    mNextSlot = (pane + 1) % kPaneCount;
    Evict(pane);
    mFiles[pane] = mImagesFolder + fileName;
    return pane;
}

void QuadRing::Evict(int pane) {
    if (mFiles[pane].empty()) {
        return;
    }
    std::wstring name;
    UTILITY_GetLastFolderName(mFiles[pane], name);
    if (media::BeginsAsVideo(name)) {
        std::wstring title;
        UTILITY_GetFileTitle(mFiles[pane], title);
        DeleteFile(mVideosFolder + title + media::kClipExtension);
    }
    DeleteFile(mThumbnailFolder + name);
    DeleteFile(mFiles[pane]);
    mFiles[pane].clear();
}

void QuadRing::EnterQuadView() {
    mNextSlot = 0;
    mEmpty.fill(true);
    mSingleView = false;
}

void QuadRing::EnterSingleView() {
    mSingleView = true;
}
