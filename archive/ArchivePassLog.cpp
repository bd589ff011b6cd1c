// Logging the sender's changes of state.
#include "archive/ArchivePassLog.h"

#include <fmt/format.h>

#include "archive/ArchiveLog.h"

ArchivePassLog::ArchivePassLog(std::function<void(const std::string&)> write)
    : mWrite(write ? std::move(write) : LogArchiveProblem) {}

void ArchivePassLog::operator()(const SendPassResult& result) {
    if (result.waiting == 0) {
        if (!mReason.empty()) {
            mWrite(fmt::format("sending again: {} sent, nothing waiting", result.sent));
            mReason.clear();
        }
        return;
    }
    // A pass stopped by the program's end leaves items waiting without a reason.
    const std::string reason = result.lastError.empty() ? mReason : result.lastError;
    if (reason != mReason) {
        mWrite(fmt::format("{} waiting: {}", result.waiting, reason));
        mReason = reason;
    }
}
