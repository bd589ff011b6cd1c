// The registry file of a fresh installation: placed once, read back by the registry reader,
// never replacing what is there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/fs/ProgramFolder.h"
#include "platform/sys/Registry.h"
#include "platform/text/Text.h"
#include "review/mail/DefaultRegistryFile.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/Unprivileged.h"
#include "utility/system/System.h"

namespace {

const std::wstring kKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OUTLOOK.EXE";

std::optional<std::wstring> MailClientFolder() {
    std::wstring folder;
    if (!UTILITY_GetRegistryKeyString(kKey, L"Path", folder)) {
        return std::nullopt;
    }
    return folder;
}

// Program folders whose names the file must escape (a quote, backslashes) come out unchanged.
TEST(DefaultRegistryFileTest, FreshInstallationPointsTheMailClientAtTheAdapter) {
    testsupport::TestProgramFolder root;
    for (const char* name : {"program", "we\"ird \\name\\"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path folder = root.Path() / name;
        std::filesystem::create_directories(folder);
        program::testing::SetFolder(folder);

        EXPECT_TRUE(mail::PlaceDefaultRegistryFile());
        EXPECT_EQ(MailClientFolder(), text::FromPath(folder) + L"/mail/");
        const std::string placed = testsupport::ReadFileBytes(sys::RegistryFile());
        EXPECT_FALSE(mail::PlaceDefaultRegistryFile()) << "placed only once";
        EXPECT_EQ(testsupport::ReadFileBytes(sys::RegistryFile()), placed);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
            << "no temporary file is left";
    }
}

TEST(DefaultRegistryFileTest, ExistingEntryIsNeverReplaced) {
    testsupport::TestProgramFolder folder;
    const std::string clinics =
        "[HKEY_LOCAL_MACHINE\\" + text::ToUtf8(kKey) + "]\r\n\"Path\"=\"/opt/clinic/mail/\"\r\n";
    testsupport::WriteFileBytes(sys::RegistryFile(), clinics);
    EXPECT_FALSE(mail::PlaceDefaultRegistryFile());
    EXPECT_EQ(testsupport::ReadFileBytes(sys::RegistryFile()), clinics);

    // A link whose target is missing still holds the name: nothing is written through it.
    std::filesystem::remove(sys::RegistryFile());
    std::filesystem::create_symlink(folder.Path() / "elsewhere.reg", sys::RegistryFile());
    EXPECT_FALSE(mail::PlaceDefaultRegistryFile());
    EXPECT_TRUE(std::filesystem::is_symlink(sys::RegistryFile()));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "elsewhere.reg"));
}

TEST(DefaultRegistryFileTest, ReadOnlyProgramFolderGetsNothing) {
    testsupport::TestProgramFolder folder;
    testsupport::Unprivileged unprivileged(folder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    ::chmod(folder.Path().c_str(), 0555);
    EXPECT_FALSE(mail::PlaceDefaultRegistryFile());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    ::chmod(folder.Path().c_str(), 0755);
}

}  // namespace
