// Splitting command lines with the quoting rules of the program's command texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys/CommandLine.h"

namespace {

std::vector<std::wstring> Texts(const std::wstring& line) {
    std::vector<std::wstring> texts;
    for (const sys::CommandArgument& argument : sys::SplitCommandLine(line)) {
        texts.push_back(argument.text);
    }
    return texts;
}

TEST(CommandLineTest, SplitsWithQuotesAndBackslashes) {
    const struct {
        std::wstring line;
        std::vector<std::wstring> arguments;
    } cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"a b\tc", {L"a", L"b", L"c"}},
        {L"  prog   x  ", {L"prog", L"x"}},
        {L"start wmplayer \"/data/a b/V1.avi\"", {L"start", L"wmplayer", L"/data/a b/V1.avi"}},
        // The program name keeps its backslashes and ends at its closing quote.
        {L"\"C:\\Program Files\\mail\\\" /a", {L"C:\\Program Files\\mail\\", L"/a"}},
        {L"p a\\\\b", {L"p", L"a\\\\b"}},
        {L"p a\\\\\"b c\"", {L"p", L"a\\b c"}},
        {L"p a\\\"b", {L"p", L"a\"b"}},
        {L"p \"a\"\"b\"", {L"p", L"a\"b"}},
        {L"p \"\"", {L"p", L""}},
        {L"p \"unterminated arg", {L"p", L"unterminated arg"}},
        // Nothing is expanded or interpreted.
        {L"p $(id) `id` ; %PATH% > f", {L"p", L"$(id)", L"`id`", L";", L"%PATH%", L">", L"f"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Texts(c.line), c.arguments)
            << "line: " << std::string(c.line.begin(), c.line.end());
    }
}

TEST(CommandLineTest, MarksQuotedArguments) {
    const auto split = sys::SplitCommandLine(L"start \"title\" prog \"\" plain");
    ASSERT_EQ(split.size(), 5u);
    EXPECT_FALSE(split[0].quoted);
    EXPECT_TRUE(split[1].quoted);
    EXPECT_FALSE(split[2].quoted);
    EXPECT_TRUE(split[3].quoted);
    EXPECT_FALSE(split[4].quoted);
}

}  // namespace
