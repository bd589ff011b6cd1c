// Search text, trimming and line reading of the configuration file.
#include "utility/files/ConfigurationLines.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>

#include "platform/text/Format.h"

namespace utility {

std::string SearchText(std::string_view key) {
    return text::sprintf("%s : 0x", key);
}

std::string_view TrimmedView(std::string_view line) {
    constexpr std::string_view kTrimmed = " \r";
    const auto first = line.find_first_not_of(kTrimmed);
    if (first == std::string_view::npos) {
        return line.substr(0, 0);
    }
    const auto last = line.find_last_not_of(kTrimmed);
    return line.substr(first, last - first + 1);
}

bool LineReader::Fill() {
    for (;;) {
        const ssize_t count = ::read(mFile, mChunk, sizeof mChunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        mFailed = count < 0;
        mBegin = 0;
        mEnd = count > 0 ? static_cast<std::size_t>(count) : 0;
        return count > 0;
    }
}

LineReader::Result LineReader::Next(std::string& line, bool& overLong) {
    line.clear();
    overLong = false;
    for (;;) {
        if (mBegin == mEnd && !Fill()) {
            return mFailed ? Result::kError : Result::kEnd;
        }
        const char* begin = mChunk + mBegin;
        const char* end = mChunk + mEnd;
        const char* feed = std::find(begin, end, '\n');
        const std::size_t length = static_cast<std::size_t>(feed - begin);
        const std::size_t room = kMaxLineLength + 1 - std::min(line.size(), kMaxLineLength + 1);
        line.append(begin, std::min(length, room));
        overLong = overLong || line.size() > kMaxLineLength;
        mBegin += length;
        if (feed != end) {
            ++mBegin;
            if (overLong) {
                line.resize(kMaxLineLength);
            }
            return Result::kLine;
        }
    }
}

}  // namespace utility
