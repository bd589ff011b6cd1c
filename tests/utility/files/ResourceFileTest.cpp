// Placing the embedded database template: written when absent, never over an existing file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/fs/Resources.h"
#include "platform/text/Text.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/Unprivileged.h"
#include "utility/files/Files.h"

namespace {

class ResourceFileTest : public ::testing::Test {
  protected:
    std::filesystem::path Target() const { return mFolder.Path() / "medical_record_access.mdb"; }
    bool Extract(uint16_t id = resources::kDatabaseTemplateId) const {
        return UTILITY_ExtractResourceToFile(id, text::FromUtf8(resources::kTemplateType),
                                             text::FromPath(Target()));
    }
    std::size_t FolderEntries() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(mFolder.Path()), {}));
    }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(ResourceFileTest, AbsentTargetReceivesTheWholeResource) {
    ASSERT_TRUE(Extract());
    const auto resource = resources::Find(resources::kTemplateType, resources::kDatabaseTemplateId);
    ASSERT_TRUE(resource.has_value());
    const std::string written = testsupport::ReadFileBytes(Target());
    ASSERT_EQ(written.size(), resource->size());
    EXPECT_EQ(std::memcmp(written.data(), resource->data(), written.size()), 0);
    EXPECT_EQ(FolderEntries(), 1u);
}

TEST_F(ResourceFileTest, ExistingFileIsNeverOverwritten) {
    testsupport::WriteFileBytes(Target(), "live database");
    EXPECT_TRUE(Extract());
    EXPECT_EQ(testsupport::ReadFileBytes(Target()), "live database");
}

// The live database exists but cannot be opened at this moment: it must not be replaced by the
// template.
TEST_F(ResourceFileTest, ExistingUnreadableFileIsNeverOverwritten) {
    testsupport::Unprivileged unprivileged(mFolder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    testsupport::WriteFileBytes(Target(), "live database");
    std::filesystem::permissions(Target(), std::filesystem::perms::none);
    EXPECT_TRUE(Extract());
    std::filesystem::permissions(Target(), std::filesystem::perms::owner_read);
    EXPECT_EQ(testsupport::ReadFileBytes(Target()), "live database");
    EXPECT_EQ(FolderEntries(), 1u);
}

TEST_F(ResourceFileTest, NothingIsWrittenWithoutTheResourceOrTheFolder) {
    EXPECT_FALSE(Extract(3001));
    EXPECT_FALSE(std::filesystem::exists(Target()));
    EXPECT_FALSE(UTILITY_ExtractResourceToFile(
        resources::kDatabaseTemplateId, text::FromUtf8(resources::kTemplateType),
        text::FromPath(mFolder.Path() / "missing" / "medical_record_access.mdb")));
    EXPECT_EQ(FolderEntries(), 0u);
}

}  // namespace
