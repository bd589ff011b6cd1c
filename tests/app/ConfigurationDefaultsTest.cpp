// Preparing the configuration file at start-up: the default content and the version test.
#include "app/ConfigurationDefaults.h"

#include "tests/support/ConfigurationFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Unprivileged.h"
#include "utility/files/Configuration.h"

namespace {

using testsupport::kDefaultConfiguration;

class ConfigurationDefaultsTest : public testsupport::ConfigurationFileTest {
  protected:
    // What the main window does at start-up.
    void Prepare() {
        unsigned char context[40] = {};
        UTILITY_OpenOrCreateFile(this, context, sizeof context, Path(), WriteDefaultConfiguration,
                                 CheckConfigurationVersion);
    }
};

TEST_F(ConfigurationDefaultsTest, FirstStartWritesTheSeventeenDefaultLines) {
    Prepare();
    EXPECT_EQ(Stored(), kDefaultConfiguration);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Sorvanti.ini"});
    uint16_t version = 0;
    uint16_t vendor = 0;
    EXPECT_TRUE(UTILITY_ReadConfigWord(Path(), "Version", version));
    EXPECT_TRUE(UTILITY_ReadConfigWord(Path(), "CameraVendor", vendor));
    EXPECT_EQ(version, CONFIGURATION_VERSION);
    EXPECT_EQ(version, 0x0324);
    EXPECT_EQ(vendor, 0xFFFF);
}

TEST_F(ConfigurationDefaultsTest, FileOfAnotherVersionIsReplacedByTheDefaults) {
    const std::string settings = "CameraVendor : 0x046d\r\n=End Of Configuration=\r\n";
    const std::string cases[] = {
        "=Begin Of Configuration=\r\nVersion : 0x0323\r\n" + settings,
        "=Begin Of Configuration=\r\n" + settings,
        "=Begin Of Configuration=\r\n" + settings + "Version : 0x0324\r\n",
        "Version : 0x0324",
    };
    for (const auto& content : cases) {
        Store(content);
        Prepare();
        EXPECT_EQ(Stored(), kDefaultConfiguration) << content;
    }
}

TEST_F(ConfigurationDefaultsTest, CurrentFileKeepsItsSettings) {
    std::string current(kDefaultConfiguration);
    current.replace(current.find("CameraVendor : 0xFFFF"), 21, "CameraVendor : 0x046d");
    Store(current);
    Prepare();
    EXPECT_EQ(Stored(), current);
}

// A disk that fills up while the defaults are written: a cut file would carry the version line
// and pass every later check, so nothing is placed and an old file stays byte for byte.
TEST_F(ConfigurationDefaultsTest, DefaultsCutByAFullDiskAreNeverPlaced) {
    const std::string older = "=Begin Of Configuration=\r\nVersion : 0x0323\r\n";
    {
        testsupport::FileSizeLimit fullDisk(106);
        Prepare();
        EXPECT_EQ(FolderNames(), std::vector<std::string>{}) << "first start";
        Store(older);
        Prepare();
        EXPECT_EQ(Stored(), older) << "replacing another version";
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"Sorvanti.ini"});
    }
    Prepare();
    EXPECT_EQ(Stored(), kDefaultConfiguration) << "with room on the disk again";
}

// A file that exists but cannot be read at this moment keeps its settings.
TEST_F(ConfigurationDefaultsTest, UnreadableFileIsLeftAlone) {
    testsupport::Unprivileged unprivileged(mFolder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    Store("=Begin Of Configuration=\r\nVersion : 0x0323\r\n");
    std::filesystem::permissions(File(), std::filesystem::perms::none);
    Prepare();
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read);
    EXPECT_EQ(Stored(), "=Begin Of Configuration=\r\nVersion : 0x0323\r\n");
}

}  // namespace
