// The spool folder: durable writes, renames that never overwrite, listing in order.
#include "archive/ArchiveQueue.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "archive/ArchiveItemText.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/text/Format.h"

namespace {

namespace fs = std::filesystem;

constexpr char kItemExtension[] = ".item";
constexpr char kBatchExtension[] = ".batch";
constexpr char kReasonExtension[] = ".reason";

std::string Failure(const char* call, const fs::path& path, int error) {
    return fmt::format("{} {}: {}", call, path.string(), std::strerror(error));
}

bool SyncFolder(const fs::path& folder, std::string& error) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        error = Failure("open", folder, errno);
        return false;
    }
    const bool synced = ::fsync(descriptor) == 0;
    if (!synced) {
        error = Failure("fsync", folder, errno);
    }
    ::close(descriptor);
    return synced;
}

// Writes `bytes` to a new hidden file in `folder`, flushed to disk when `flush`; returns its path.
// The name is this process's own, so that two writers (the program and the command-line
// sender, or two threads) never write into one file.
bool WriteTemporary(const fs::path& folder, const std::string& bytes, bool flush,
                    fs::path& temporary, std::string& error) {
    static std::atomic<unsigned> sequence{0};
    temporary = folder / fmt::format(".{}-{}.tmp", ::getpid(), sequence++);
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        error = Failure("open", temporary, errno);
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            error = Failure("write", temporary, errno);
            ::close(descriptor);
            ::unlink(temporary.c_str());
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    bool done = !flush || ::fsync(descriptor) == 0;
    if (!done) {
        error = Failure("fsync", temporary, errno);
    }
    // A failed close may be the file system's report of a failed write.
    if (::close(descriptor) != 0 && done) {
        error = Failure("close", temporary, errno);
        done = false;
    }
    if (!done) {
        ::unlink(temporary.c_str());
    }
    return done;
}

// Renames without replacing an existing name; errno stays the call's on failure.
bool RenameNew(const fs::path& from, const fs::path& to, std::string& error) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        const int cause = errno;
        error = Failure("renameat2", to, cause);
        errno = cause;
        return false;
    }
    return true;
}

bool ReadFile(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return static_cast<bool>(in);
}

bool EnsureFolder(const fs::path& folder, std::string& error) {
    std::error_code code;
    fs::create_directories(folder, code);
    if (!fs::is_directory(folder, code)) {
        error = fmt::format("create_directories {}: {}", folder.string(), code.message());
        return false;
    }
    return true;
}

uint64_t SequenceOf(const std::string& id) {
    return std::strtoull(id.c_str(), nullptr, 10);
}

std::string BatchName(uint64_t sequence) {
    return fmt::format("{:012}{}", sequence, kBatchExtension);
}

// A batch's item keeps the batch's place: "<sequence>-<index>-<serial>-<capture>.item".
std::string ItemName(uint64_t sequence, std::size_t index, const std::optional<ArchiveItem>& item) {
    if (!item) {
        return fmt::format("{:012}-{:04}-unreadable{}", sequence, index, kItemExtension);
    }
    return fmt::format("{:012}-{:04}-{}-{}{}", sequence, index, item->customerSerialNumber,
                       item->captureName, kItemExtension);
}

std::string SentName(const ArchiveItem& item) {
    return fmt::format("{}-{}{}", item.customerSerialNumber, item.captureName, kItemExtension);
}

}  // namespace

ArchiveQueue::ArchiveQueue(fs::path folder)
    : mPending(folder / "pending"), mSent(folder / "sent"), mDropped(folder / "dropped") {}

fs::path ArchiveQueue::DefaultFolder() {
    return program::Folder() / "archive";
}

uint64_t ArchiveQueue::NextSequence() const {
    uint64_t last = 0;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(mPending, code)) {
        const std::string name = entry.path().filename().string();
        if (!name.empty() && name.front() != '.') {
            last = std::max(last, SequenceOf(name));
        }
    }
    return last + 1;
}

bool ArchiveQueue::Enqueue(const std::vector<ArchiveItem>& items, std::string& error) {
    if (items.empty()) {
        return true;
    }
    if (!EnsureFolder(mPending, error)) {
        return false;
    }
    const std::string text = BatchToText(items);
    uint64_t sequence = NextSequence();
    fs::path temporary;
    if (!WriteTemporary(mPending, text, true, temporary, error)) {
        return false;
    }
    // Another process may have taken the number meanwhile: take the next free one.
    while (!RenameNew(temporary, mPending / BatchName(sequence), error)) {
        if (errno != EEXIST) {
            ::unlink(temporary.c_str());
            return false;
        }
        ++sequence;
    }
    return SyncFolder(mPending, error);
}

std::optional<PreparedBatch> ArchiveQueue::Prepare(const std::vector<ArchiveItem>& items,
                                                   std::string& error) {
    if (items.empty() || !EnsureFolder(mPending, error)) {
        return std::nullopt;
    }
    PreparedBatch batch;
    if (!WriteTemporary(mPending, BatchToText(items), false, batch.temporary, error)) {
        return std::nullopt;
    }
    batch.target = mPending / BatchName(NextSequence());
    return batch;
}

void ArchiveQueue::Unpack() const {
    std::error_code code;
    std::vector<fs::path> batches;
    for (const auto& entry : fs::directory_iterator(mPending, code)) {
        if (entry.path().extension() == kBatchExtension &&
            entry.path().filename().string().front() != '.') {
            batches.push_back(entry.path());
        }
    }
    for (const fs::path& batch : batches) {
        std::string bytes;
        if (!ReadFile(batch, bytes)) {
            continue;
        }
        const uint64_t sequence = SequenceOf(batch.filename().string());
        const std::vector<std::string> texts = SplitBatch(bytes);
        bool whole = true;
        for (std::size_t index = 0; index < texts.size(); ++index) {
            const auto item = ItemFromText(texts[index]);
            const fs::path target = mPending / ItemName(sequence, index, item);
            fs::path temporary;
            std::string error;
            // Two unpackers write the same names: the second finds them there.
            whole = whole && WriteTemporary(mPending, texts[index], true, temporary, error) &&
                    (RenameNew(temporary, target, error) || errno == EEXIST);
            ::unlink(temporary.c_str());
        }
        std::string error;
        if (whole && SyncFolder(mPending, error)) {
            ::unlink(batch.c_str());
        }
    }
}

std::vector<QueuedItem> ArchiveQueue::List(const fs::path& folder) const {
    std::vector<QueuedItem> items;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
        const std::string name = entry.path().filename().string();
        if (name.front() == '.' || !name.ends_with(kItemExtension)) {
            continue;
        }
        QueuedItem queued;
        queued.id = name;
        std::string bytes;
        if (ReadFile(entry.path(), bytes)) {
            if (auto item = ItemFromText(bytes)) {
                queued.readable = true;
                queued.item = std::move(*item);
            }
        }
        ReadFile(folder / (name + kReasonExtension), queued.reason);
        items.push_back(std::move(queued));
    }
    std::sort(items.begin(), items.end(),
              [](const QueuedItem& a, const QueuedItem& b) { return a.id < b.id; });
    return items;
}

std::vector<QueuedItem> ArchiveQueue::Pending() const {
    Unpack();
    return List(mPending);
}

std::vector<QueuedItem> ArchiveQueue::Sent() const {
    return List(mSent);
}

bool ArchiveQueue::MarkSent(const std::string& id, std::string& error) {
    std::string bytes;
    std::optional<ArchiveItem> item;
    if (!ReadFile(mPending / id, bytes) || !(item = ItemFromText(bytes))) {
        error = "unreadable item " + id;
        return false;
    }
    if (!EnsureFolder(mSent, error)) {
        return false;
    }
    // A capture sent before (and queued again) keeps one record in sent/.
    const fs::path target = mSent / SentName(*item);
    if (::rename((mPending / id).c_str(), target.c_str()) != 0) {
        error = Failure("rename", target, errno);
        return false;
    }
    ::unlink((mPending / (id + kReasonExtension)).c_str());
    return SyncFolder(mSent, error) && SyncFolder(mPending, error);
}

bool ArchiveQueue::Drop(const std::string& id, std::string& error) {
    if (!EnsureFolder(mDropped, error)) {
        return false;
    }
    const fs::path target = mDropped / id;
    if (::rename((mPending / id).c_str(), target.c_str()) != 0) {
        error = Failure("rename", target, errno);
        return false;
    }
    ::unlink((mPending / (id + kReasonExtension)).c_str());
    return SyncFolder(mDropped, error) && SyncFolder(mPending, error);
}

std::vector<QueuedItem> ArchiveQueue::Dropped() const {
    return List(mDropped);
}

bool ArchiveQueue::SetReason(const std::string& id, const std::string& reason, std::string& error) {
    const fs::path target = mPending / (id + kReasonExtension);
    fs::path temporary;
    if (!WriteTemporary(mPending, reason, true, temporary, error)) {
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = Failure("rename", target, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

int ArchiveQueue::Resend(int32_t customerSerialNumber, std::string& error) {
    std::vector<ArchiveItem> items;
    std::vector<std::string> ids;
    for (QueuedItem& sent : Sent()) {
        if (sent.readable && sent.item.customerSerialNumber == customerSerialNumber) {
            ids.push_back(sent.id);
            items.push_back(std::move(sent.item));
        }
    }
    // Sent records are sorted by capture name, which is the capture's time.
    if (!Enqueue(items, error)) {
        return -1;
    }
    for (const std::string& id : ids) {
        ::unlink((mSent / id).c_str());
    }
    return static_cast<int>(items.size());
}
