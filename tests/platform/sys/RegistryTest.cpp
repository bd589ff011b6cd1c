// The registry file: keys and values found without regard to case, escapes, and what is not
// found.
#include <gtest/gtest.h>

#include "platform/sys/Registry.h"
#include "tests/support/TestProgramFolder.h"

namespace {

constexpr wchar_t kMailKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";

class RegistryTest : public ::testing::Test {
  protected:
    void Write(const std::string& content) {
        testsupport::WriteFileBytes(sys::RegistryFile(), content);
    }
    std::optional<std::wstring> Read(const std::wstring& key, const std::wstring& value) {
        return sys::ReadRegistryString(sys::RegistryRoot::kLocalMachine, key, value);
    }
    testsupport::TestProgramFolder mFolder;
};

TEST_F(RegistryTest, LivesInTheProgramFolder) {
    EXPECT_EQ(sys::RegistryFile(), mFolder.Path() / "registry.reg");
}

TEST_F(RegistryTest, ReadsValuesOfTheNamedKey) {
    Write(
        "Windows Registry Editor Version 5.00\r\n"
        "; the mail adapter\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n"
        "\"Path\"=\"/wrong/\"\r\n"
        "[hkey_local_machine\\software\\microsoft\\windows\\currentversion\\app "
        "paths\\outlook.exe]\r\n"
        "\"Path\"=\"/opt/mail \\\"adapter\\\"\\\\x/\"\r\n"
        "@=\"default\"\r\n"
        "\"Caf\xc3\xa9\"=\"cr\xc3\xa8me\"\n");
    EXPECT_EQ(Read(kMailKey, L"Path"), L"/opt/mail \"adapter\"\\x/");
    EXPECT_EQ(Read(kMailKey, L"PATH"), L"/opt/mail \"adapter\"\\x/");
    EXPECT_EQ(Read(kMailKey, L""), L"default");
    EXPECT_EQ(Read(kMailKey, L"@"), L"default");
    EXPECT_EQ(Read(kMailKey, L"Caf\u00e9"), L"cr\u00e8me");
    EXPECT_EQ(Read(L"SOFTWARE\\Other", L"Path"), L"/wrong/");
}

TEST_F(RegistryTest, MissingFileKeyOrValueIsNotFound) {
    EXPECT_EQ(Read(kMailKey, L"Path"), std::nullopt);
    Write("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\n\"Path\"=\"/x/\"\n\"Broken\"=\"no end\n");
    EXPECT_EQ(Read(kMailKey, L"Path"), std::nullopt);
    EXPECT_EQ(Read(L"SOFTWARE\\Other", L"Missing"), std::nullopt);
    EXPECT_EQ(Read(L"SOFTWARE\\Other", L"Broken"), std::nullopt);
    EXPECT_EQ(Read(L"SOFTWARE", L"Path"), std::nullopt);
}

}  // namespace
