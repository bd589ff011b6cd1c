#include "media/MediaLayout.h"

#include <cwchar>

#include "platform/text/Format.h"

namespace media {
namespace {

std::wstring CaptureName(const wchar_t* timeFormat, const std::tm& localTime, int digit,
                         std::wstring_view tag) {
    wchar_t stamp[32] = {};
    std::wcsftime(stamp, sizeof(stamp) / sizeof(stamp[0]), timeFormat, &localTime);
    return text::sprintf(L"%s%s%d", stamp, std::wstring(tag), digit);
}

bool IsTagLetter(wchar_t c) {
    return c >= L'a' && c <= L'z';
}

}  // namespace

std::wstring PatientImagesFolder(const std::wstring& programFolder, int32_t serialNumber) {
    return text::sprintf(L"%s/%s/%d/images/", programFolder, kDatabaseFolder, serialNumber);
}

std::wstring PatientVideosFolder(const std::wstring& programFolder, int32_t serialNumber) {
    return text::sprintf(L"%s/%s/%d/videos/", programFolder, kDatabaseFolder, serialNumber);
}

std::wstring PatientThumbnailFolder(const std::wstring& programFolder, int32_t serialNumber) {
    return text::sprintf(L"%s/%s/%d/images/thumbnail/", programFolder, kDatabaseFolder,
                         serialNumber);
}

std::wstring PatientFolder(const std::wstring& programFolder, int32_t serialNumber) {
    return text::sprintf(L"%s/%s/%d", programFolder, kDatabaseFolder, serialNumber);
}

std::wstring IdPhotoPath(const std::wstring& programFolder, int32_t serialNumber) {
    return text::sprintf(L"%s/%s/%s/%d.bmp", programFolder, kDatabaseFolder, kIdPhotoFolder,
                         serialNumber);
}

std::wstring TempImagesFolder(const std::wstring& programFolder) {
    return text::sprintf(L"%s/%s/%s/images/", programFolder, kDatabaseFolder, kTempFolder);
}

std::wstring TempVideosFolder(const std::wstring& programFolder) {
    return text::sprintf(L"%s/%s/%s/videos/", programFolder, kDatabaseFolder, kTempFolder);
}

std::wstring TempThumbnailFolder(const std::wstring& programFolder) {
    return text::sprintf(L"%s/%s/%s/images/thumbnail/", programFolder, kDatabaseFolder,
                         kTempFolder);
}

std::wstring CommitImagesFolder(const std::wstring& programFolder, const std::wstring& serialText) {
    return text::sprintf(L"%s/database/%s/images/", programFolder, serialText);
}

std::wstring CommitVideosFolder(const std::wstring& programFolder, const std::wstring& serialText) {
    return text::sprintf(L"%s/database/%s/videos/", programFolder, serialText);
}

std::wstring StillName(const std::tm& localTime, int digit, std::wstring_view tag) {
    return CaptureName(L"P%y%m%d%H%M%S", localTime, digit, tag);
}

std::wstring ClipName(const std::tm& localTime, int digit, std::wstring_view tag) {
    return CaptureName(L"V%y%m%d%H%M%S", localTime, digit, tag);
}

std::wstring WorkstationTag(std::wstring_view workstationName) {
    std::wstring tag;
    for (wchar_t c : workstationName.substr(0, workstationName.find(L'.'))) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
        if (IsTagLetter(c) || (c >= L'0' && c <= L'9')) {
            tag.push_back(c);
        }
    }
    if (tag.empty()) {
        return L"ws";
    }
    if (!IsTagLetter(tag.front())) {
        tag.insert(tag.begin(), L'w');
    }
    if (tag.size() > kWorkstationTagLength) {
        tag.erase(1, tag.size() - kWorkstationTagLength);
    }
    return tag;
}

int NextRunningDigit(int& counter) {
    counter = (counter + 1) % 10;
    return counter;
}

bool CountsAsMedia(std::wstring_view fileName) {
    return fileName.find_first_of(L"PV") != std::wstring_view::npos;
}

bool IsVideoName(std::wstring_view name) {
    return name.find(L'V') != std::wstring_view::npos;
}

bool BeginsAsVideo(std::wstring_view name) {
    return !name.empty() && name.front() == L'V';
}

}  // namespace media
