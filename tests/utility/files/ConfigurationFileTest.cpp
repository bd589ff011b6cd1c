// The configuration file's line helpers and its start-up preparation.
#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "tests/support/ConfigurationFixture.h"
#include "utility/files/Configuration.h"

namespace {

using ConfigurationPrepareTest = testsupport::ConfigurationFileTest;

TEST(ConfigurationLine, TrimLineRemovesBlanksAndCarriageReturnsOnly) {
    struct Case {
        const char* line;
        const char* kept;
    };
    const Case cases[] = {
        {"  Key : 0x01 \r", "Key : 0x01"},
        {"\r \tKey\t \r", "\tKey\t"},
        {" ", ""},
        {"\r\r", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string buffer = c.line;
        const char* first = UTILITY_TrimLine(buffer.data());
        EXPECT_STREQ(first, c.kept) << '"' << c.line << '"';
        // The trailing blanks are overwritten in the caller's buffer, not only skipped.
        const std::string leading(c.line, static_cast<std::size_t>(first - buffer.data()));
        EXPECT_EQ(std::string(buffer.c_str()), leading + c.kept) << '"' << c.line << '"';
    }
}

TEST_F(ConfigurationPrepareTest, WriteLineAddsCrLfAndSkipsEmptyLinesAndNoFile) {
    const int file = ::open(File().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    ASSERT_GE(file, 0);
    EXPECT_TRUE(UTILITY_WriteLine(file, "Usage : "));
    EXPECT_TRUE(UTILITY_WriteLine(file, ""));
    EXPECT_TRUE(UTILITY_WriteLine(file, " "));
    EXPECT_FALSE(UTILITY_WriteLine(-1, "ignored"));
    ::close(file);
    EXPECT_EQ(Stored(), "Usage : \r\n \r\n");
}

// What the callbacks were called with; the owner pointer carries it to them.
struct Calls {
    std::vector<std::wstring> writerPaths;
    std::vector<std::wstring> validatorPaths;
    std::vector<void*> contexts;
};

bool RecordWriter(void* owner, void* context, std::size_t contextSize, const std::wstring& path,
                  int file) {
    auto& calls = *static_cast<Calls*>(owner);
    calls.writerPaths.push_back(path);
    calls.contexts.push_back(context);
    EXPECT_EQ(contextSize, 40u);
    return UTILITY_WriteLine(file, "written by the default writer");
}

void RecordValidator(void* owner, void* context, std::size_t contextSize,
                     const std::wstring& path) {
    auto& calls = *static_cast<Calls*>(owner);
    calls.validatorPaths.push_back(path);
    calls.contexts.push_back(context);
    EXPECT_EQ(contextSize, 40u);
}

TEST_F(ConfigurationPrepareTest, MissingFileIsCreatedByTheWriterThenValidated) {
    Calls calls;
    unsigned char context[40] = {};
    UTILITY_OpenOrCreateFile(&calls, context, sizeof context, Path(), RecordWriter,
                             RecordValidator);
    EXPECT_EQ(calls.writerPaths, std::vector<std::wstring>{Path()});
    EXPECT_EQ(calls.validatorPaths, std::vector<std::wstring>{Path()});
    EXPECT_EQ(calls.contexts, (std::vector<void*>{context, context}));
    EXPECT_EQ(Stored(), "written by the default writer\r\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Sorvanti.ini"});
}

TEST_F(ConfigurationPrepareTest, ExistingFileIsOnlyValidated) {
    Store("kept\r\n");
    Calls calls;
    unsigned char context[40] = {};
    UTILITY_OpenOrCreateFile(&calls, context, sizeof context, Path(), RecordWriter,
                             RecordValidator);
    EXPECT_TRUE(calls.writerPaths.empty());
    EXPECT_EQ(calls.validatorPaths, std::vector<std::wstring>{Path()});
    EXPECT_EQ(Stored(), "kept\r\n");
}

}  // namespace
