// The Temp lock file.
#include "camera/CaptureTempLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"

namespace {

constexpr char kLockFileName[] = "Temp.lock";
// The file holds at most a serial's decimal digits; anything else is not a serial.
constexpr std::size_t kMaxContent = 16;

// The serial in `content`: decimal digits alone, a positive 32-bit value.
std::optional<int32_t> ParseSerial(std::string_view content) {
    if (content.empty() || content.size() > 10) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (char c : content) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value <= 0 || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

CaptureTempLock::CaptureTempLock(const std::wstring& programFolder)
    : mPath(text::ToUtf8(text::sprintf(L"%s/%s/", programFolder, media::kDatabaseFolder)) +
            kLockFileName) {}

bool CaptureTempLock::Acquire() {
    if (Held()) {
        return true;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(mPath).parent_path(), ignored);
    utility::UniqueFd file(::open(mPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!file.Valid()) {
        return false;
    }
    int locked;
    do {
        locked = ::flock(file.Get(), LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return false;
    }
    char content[kMaxContent + 1] = {};
    const ssize_t count = ::pread(file.Get(), content, kMaxContent + 1, 0);
    mInterrupted = count > 0 && static_cast<std::size_t>(count) <= kMaxContent
                       ? ParseSerial(std::string_view(content, static_cast<std::size_t>(count)))
                       : std::nullopt;
    mFile = std::move(file);
    return true;
}

bool CaptureTempLock::MarkRunning(int32_t customerSerialNumber) {
    return Write(std::to_string(customerSerialNumber));
}

void CaptureTempLock::MarkEnded() {
    Write("");
    mInterrupted.reset();
}

void CaptureTempLock::Release() {
    mFile.Reset();
}

// Rewritten in place: a new file renamed over it would not carry the lock.
bool CaptureTempLock::Write(const std::string& content) {
    if (!Held() || ::ftruncate(mFile.Get(), 0) != 0) {
        return false;
    }
    if (!content.empty() && ::pwrite(mFile.Get(), content.data(), content.size(), 0) !=
                                static_cast<ssize_t>(content.size())) {
        return false;
    }
    return ::fsync(mFile.Get()) == 0;
}
