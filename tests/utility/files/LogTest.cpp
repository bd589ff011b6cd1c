// The diagnostic log: appending, the 8-bit conversion, timestamps and concurrent writers.
#include "utility/files/Log.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"

namespace {

class LogTest : public ::testing::Test {
  protected:
    std::filesystem::path File() const { return mFolder.Path() / "Sorvanti_LOG.ini"; }
    std::wstring Path() const { return text::FromPath(File()); }
    std::string Logged() const { return testsupport::ReadFileBytes(File()); }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(LogTest, FirstLineCreatesTheLogAndLaterLinesAppend) {
    UTILITY_WriteLogLine(Path(), L"-------------");
    UTILITY_WriteLogLine(Path(), L"OutlookSendMail2 >>");
    EXPECT_EQ(Logged(), "-------------\r\nOutlookSendMail2 >>\r\n");
}

TEST_F(LogTest, LinesConvertByTheEightBitRule) {
    struct Case {
        const char* what;
        std::wstring line;
        std::string appended;
    };
    const std::wstring longLine(1000, L'x');
    const Case cases[] = {
        {"empty text writes nothing", L"", ""},
        {"U+4E2D makes an empty line", L"Address : [\u4E2D]", "\r\n"},
        {"e acute is one byte", L"caf\u00E9", "caf\xE9\r\n"},
        {"a long line is written whole", longLine, std::string(1000, 'x') + "\r\n"},
        {"the line ends at its first zero", std::wstring(L"ab\0cd", 5), "ab\r\n"},
    };
    for (const auto& c : cases) {
        testsupport::WriteFileBytes(File(), "before\r\n");
        UTILITY_WriteLogLine(Path(), c.line);
        EXPECT_EQ(Logged(), "before\r\n" + c.appended) << c.what;
    }
}

TEST_F(LogTest, TimeLineHasTheFixedFormat) {
    std::tm time{};
    time.tm_year = 2016 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 7;
    time.tm_hour = 14;
    time.tm_min = 5;
    time.tm_sec = 5;
    UTILITY_WriteLogTime(Path(), time);
    EXPECT_EQ(Logged(), "2016/03/07 14:05:05\r\n");
}

// Each line, text and line ending, is one append: lines of two writers never mix.
TEST_F(LogTest, ConcurrentWritersNeverSplitALine) {
    constexpr int kLines = 200;
    const auto writer = [&](wchar_t letter) {
        for (int length = 1; length <= kLines; ++length) {
            UTILITY_WriteLogLine(Path(), std::wstring(static_cast<std::size_t>(length), letter));
        }
    };
    std::thread first(writer, L'a');
    std::thread second(writer, L'b');
    first.join();
    second.join();

    std::istringstream logged(Logged());
    int lines = 0;
    for (std::string line; std::getline(logged, line, '\n'); ++lines) {
        ASSERT_GE(line.size(), 2u) << line;
        ASSERT_EQ(line.back(), '\r') << line;
        line.pop_back();
        EXPECT_EQ(line.find_first_not_of(line.front()), std::string::npos) << line;
    }
    EXPECT_EQ(lines, 2 * kLines);
}

}  // namespace
