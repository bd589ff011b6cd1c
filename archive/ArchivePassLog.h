// What the background sender's passes tell the diagnostic log: a change of the archive's state,
// not every retry. The first pass that leaves items waiting logs why (the archive's refusal, or
// that it cannot be reached); a later pass logs again only when the reason changes; the first
// pass that leaves nothing waiting logs that sending goes on. A clean pass after clean passes
// logs nothing.
//
// One thread at a time (the sender's).
#pragma once

#include <functional>
#include <string>

#include "archive/ArchiveSender.h"

class ArchivePassLog {
  public:
    // `write` takes each log text (UTF-8); LogArchiveProblem by default.
    explicit ArchivePassLog(std::function<void(const std::string&)> write = {});

    void operator()(const SendPassResult& result);

  private:
    std::function<void(const std::string&)> mWrite;
    std::string mReason;  // the reason logged last; empty while nothing waits
};
