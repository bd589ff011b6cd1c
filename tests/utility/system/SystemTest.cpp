// Starting programs and command texts without a shell, the registry read and detached
// threads, with scripts that record the arguments they were given.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/sys/CommandInterpreter.h"
#include "platform/sys/Registry.h"
#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/system/System.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class SystemTest : public ::testing::Test {
  protected:
    ~SystemTest() override { sys::testing::ResetProgramAliases(); }

    // A script in the program folder that appends each argument on a line of args.txt, sleeps
    // `seconds`, then leaves the file <name>.done: whether a caller waited for it shows in that
    // file, not in a clock.
    std::filesystem::path Script(const std::string& name, const std::string& seconds = "0") {
        const std::filesystem::path path = mFolder.Path() / name;
        testsupport::WriteFileBytes(path,
                                    "#!/bin/sh\n"
                                    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"" +
                                        ArgsFile().string() +
                                        "\"; done\n"
                                        "sleep " +
                                        seconds + "\ntouch \"" + Finished(name).string() + "\"\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    std::filesystem::path Finished(const std::string& name) const {
        return mFolder.Path() / (name + ".done");
    }
    std::filesystem::path ArgsFile() const { return mFolder.Path() / "args.txt"; }
    // The recorded arguments once the script has written them (it may run detached).
    std::string RecordedArguments(const std::string& expected) {
        for (auto end = Clock::now() + milliseconds(5000); Clock::now() < end;) {
            if (testsupport::ReadFileBytes(ArgsFile()) == expected) {
                break;
            }
            std::this_thread::sleep_for(milliseconds(10));
        }
        return testsupport::ReadFileBytes(ArgsFile());
    }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(SystemTest, RunProgramPassesQuotedArgumentsUnexpanded) {
    std::wstring line = L"\"" + text::FromPath(Script("record.sh")) +
                        L"\" /a \"two words\" $(touch${IFS}pwned) `touch pwned` ; %PATH%";
    EXPECT_NE(UTILITY_RunProgram(line, 6000), 0);
    EXPECT_EQ(RecordedArguments(""),
              "/a\ntwo words\n$(touch${IFS}pwned)\n`touch\npwned`\n;\n%PATH%\n");
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "pwned"));
}

// The program runs 3 s: a short time-out returns while it still runs, a long one after it ended.
TEST_F(SystemTest, RunProgramWaitsAtMostTheTimeout) {
    const struct {
        int32_t timeout;
        milliseconds atLeast;
        bool finished;
    } cases[] = {{0, milliseconds(0), false},
                 {150, milliseconds(140), false},
                 {60000, milliseconds(2900), true}};
    for (const auto& c : cases) {
        const std::string name = "sleep" + std::to_string(c.timeout) + ".sh";
        std::wstring line = text::FromPath(Script(name, "3"));
        const auto start = Clock::now();
        EXPECT_NE(UTILITY_RunProgram(line, c.timeout), 0);
        EXPECT_GE(Clock::now() - start, c.atLeast) << "timeout " << c.timeout;
        EXPECT_EQ(std::filesystem::exists(Finished(name)), c.finished) << "timeout " << c.timeout;
    }
}

TEST_F(SystemTest, RunProgramReportsWhatCannotStart) {
    const struct {
        std::wstring line;
    } cases[] = {{L""}, {L"   "}, {L"/no/such/program arg"}, {L"sorvanti-no-such-program"}};
    for (const auto& c : cases) {
        std::wstring line = c.line;
        EXPECT_EQ(UTILITY_RunProgram(line, 0), 0);
    }
}

TEST_F(SystemTest, StartPlaysAClipDetachedWithItsPathAsOneArgument) {
    sys::testing::SetProgramAlias(L"wmplayer", text::FromPath(Script("player.sh", "3")));
    const std::wstring clip =
        text::FromPath(mFolder.Path()) + L"/database/$(touch pwned)/a\"b;`id` %TEMP%/V1.avi";
    UTILITY_RunCommand(L"start WMPlayer \"" +
                       std::wstring(clip).replace(clip.find(L'"'), 1, L"\\\"") + L"\"");
    EXPECT_FALSE(std::filesystem::exists(Finished("player.sh"))) << "start must not wait";
    EXPECT_EQ(RecordedArguments(text::ToUtf8(clip) + "\n"), text::ToUtf8(clip) + "\n");
    EXPECT_FALSE(std::filesystem::exists(mFolder.Path() / "pwned"));
}

TEST_F(SystemTest, CommandWithoutStartWaitsAndTitleIsSkipped) {
    const std::wstring script = text::FromPath(Script("tool.sh", "0.3"));
    const auto start = Clock::now();
    UTILITY_RunCommand(L"\"" + script + L"\" one");
    EXPECT_GE(Clock::now() - start, milliseconds(280));
    EXPECT_TRUE(std::filesystem::exists(Finished("tool.sh")));
    EXPECT_EQ(testsupport::ReadFileBytes(ArgsFile()), "one\n");

    UTILITY_RunCommand(L"start \"My title\" " + script + L" two");
    EXPECT_EQ(RecordedArguments("one\ntwo\n"), "one\ntwo\n");
}

TEST_F(SystemTest, RegistryValueIsReadUpTo129Characters) {
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti]\n";
    testsupport::WriteFileBytes(sys::RegistryFile(), key + "\"Short\"=\"/opt/mail/\"\n\"Fits\"=\"" +
                                                         std::string(129, 'x') + "\"\n\"Long\"=\"" +
                                                         std::string(130, 'x') + "\"\n");
    const struct {
        std::wstring key;
        std::wstring value;
        bool found;
        std::wstring expected;
    } cases[] = {{L"SOFTWARE\\Sorvanti", L"Short", true, L"/opt/mail/"},
                 {L"SOFTWARE\\Sorvanti", L"Fits", true, std::wstring(129, L'x')},
                 {L"SOFTWARE\\Sorvanti", L"Long", false, L"unchanged"},
                 {L"SOFTWARE\\Sorvanti", L"Missing", false, L"unchanged"},
                 {L"SOFTWARE\\Missing", L"Short", false, L"unchanged"}};
    for (const auto& c : cases) {
        std::wstring value = L"unchanged";
        EXPECT_EQ(UTILITY_GetRegistryKeyString(c.key, c.value, value), c.found);
        EXPECT_EQ(value, c.expected);
    }
}

TEST_F(SystemTest, StartThreadRunsTheRoutineWithItsParameter) {
    std::atomic<int> value{0};
    UTILITY_StartThread(
        [](void* parameter) -> uint32_t {
            static_cast<std::atomic<int>*>(parameter)->store(42);
            return 0;
        },
        &value);
    for (auto end = Clock::now() + milliseconds(5000); value == 0 && Clock::now() < end;) {
        std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(UTILITY_InitCom());
}

}  // namespace
