// The line format of the configuration file: markers, limits, the search text of a key, the
// trimming rule, and a reader that hands out complete lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utility {

inline constexpr std::string_view kBeginMarker = "=Begin Of Configuration=";
inline constexpr std::string_view kEndMarker = "=End Of Configuration=";

// The format's limits: a line holds at most 259 bytes before its line feed (a carriage return
// counts), and an update rewrites at most 256 lines. Readers pass over longer lines; an update
// that meets one, or more lines, refuses to rewrite the file.
inline constexpr std::size_t kMaxLineLength = 259;
inline constexpr std::size_t kMaxLines = 256;

// "<key> : 0x": what an entry line for `key` contains.
std::string SearchText(std::string_view key);

// `line` without leading and trailing blanks (0x20) and carriage returns; tabs stay. A line of
// nothing else gives an empty view at its start.
std::string_view TrimmedView(std::string_view line);

// Reads a file line by line. A line ends at a line feed; bytes after the last line feed do not
// form a line and are never returned.
class LineReader {
  public:
    enum class Result { kLine, kEnd, kError };

    // Reads from `file`, which the caller keeps open while the reader is used.
    explicit LineReader(int file) : mFile(file) {}

    // kLine: `line` holds the next line without its line feed (a carriage return before it
    // stays), and `overLong` tells whether it was longer than kMaxLineLength; the content of an
    // over-long line is cut at that length, so memory stays bounded whatever the file holds.
    // kEnd at the end of the file; kError when reading failed.
    Result Next(std::string& line, bool& overLong);

  private:
    bool Fill();

    int mFile;
    char mChunk[4096];
    std::size_t mBegin = 0;
    std::size_t mEnd = 0;
    bool mFailed = false;
};

}  // namespace utility
