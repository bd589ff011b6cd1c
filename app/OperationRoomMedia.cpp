// The media list: the thumbnails of the selected patient's captures with their names, and the
// camera command's patient check.
#include <strings.h>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "platform/text/Text.h"
#include "records/MediaLayout.h"
#include "utility/Bitmaps.h"

using namespace operationroom;

namespace {

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 90;
const ui::Color kListBackground = ui::Rgb(66, 68, 79);
const ui::Color kCaptionText = ui::Rgb(238, 238, 238);
const ui::Color kTransparentMask = ui::Rgb(100, 99, 101);

// The file names of a folder, sub-folders left out, in ascending order without regard to ASCII
// case (the directory's own order is arbitrary). An unreadable or missing folder has none.
std::vector<std::wstring> FileNames(const std::wstring& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(text::ToPath(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        if (!entry->is_directory(error)) {
            names.push_back(entry->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    std::vector<std::wstring> wide;
    for (const std::string& name : names) {
        wide.push_back(text::FromUtf8(name));
    }
    return wide;
}

// The file name without its trailing '.', 'b', 'm' and 'p' characters: the capture's name.
std::wstring Caption(std::wstring name) {
    while (!name.empty() && std::wstring_view(L".bmp").find(name.back()) != std::wstring::npos) {
        name.pop_back();
    }
    return name;
}

}  // namespace

void CDlgOperationRoom::PrepareMediaList() {
    auto* list = Control<ui::ListView>(kMediaList);
    list->SetImageSize(kThumbnailWidth, kThumbnailHeight);
    list->SetColors(kListBackground, kListBackground, kCaptionText);
    list->Show();
}

void CDlgOperationRoom::ClearMediaList() {
    auto* list = Control<ui::ListView>(kMediaList);
    list->DeleteAllItems();
    list->RemoveAllImages();
}

void CDlgOperationRoom::RefreshMediaList() {
    ClearMediaList();
    if (mStringThumbnailFolder.empty()) {
        return;
    }
    for (const std::wstring& name : FileNames(mStringThumbnailFolder)) {
        if (media::CountsAsMedia(name)) {
            AddMediaItem(name);
        }
    }
}

void CDlgOperationRoom::AddMediaItem(const std::wstring& fileName) {
    auto* list = Control<ui::ListView>(kMediaList);
    list->SetRedraw(false);
    const ui::Bitmap thumbnail = UTILITY_LoadBitmapFile(mStringThumbnailFolder + fileName);
    const int image = list->AddImage(thumbnail, kTransparentMask);
    list->InsertItem(Caption(fileName), image);
    list->SetRedraw(true);
    list->Scroll(list->Count() * kThumbnailWidth, 0);
    list->Invalidate();
}

void CDlgOperationRoom::OnBnClickedButtonCamera() {
    RequireCustomer();
}
