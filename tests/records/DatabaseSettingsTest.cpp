// The media folder and the capture names' workstation tag as the registry's database key sets
// them: nothing set keeps the media below the program folder and the names untagged.
#include "records/DatabaseSettings.h"

#include <gtest/gtest.h>

#include "platform/text/Text.h"
#include "tests/records/RecordStoreFixture.h"

namespace {

TEST(DatabaseSettingsTest, DataFolderMovesTheMediaAndTagsTheNames) {
    testsupport::TestProgramFolder folder;
    const std::wstring program = folder.WidePath();
    const struct {
        std::vector<std::pair<std::string, std::string>> values;
        std::wstring mediaFolder;
        std::wstring tag;
    } cases[] = {
        {{}, program, L""},
        {{{"DataFolder", ""}, {"Workstation", "Room-A"}}, program, L""},
        {{{"DataFolder", "/srv/clinic/"}, {"Workstation", "Room-A"}}, L"/srv/clinic", L"rooma"},
        {{{"DataFolder", "/srv/clinic"}, {"Workstation", "12"}}, L"/srv/clinic", L"w12"},
        {{{"DataFolder", "shared"}, {"Workstation", "b"}}, program + L"/shared", L"b"},
        {{{"DataFolder", "/"}, {"Workstation", "b"}}, L"/", L"b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << text::ToUtf8(c.mediaFolder) << " " << c.values.size());
        WriteDatabaseRegistry(folder, c.values);
        const DatabaseSettings settings = ReadDatabaseSettings();
        EXPECT_EQ(MediaFolder(settings, program), c.mediaFolder);
        EXPECT_EQ(CaptureNameTag(settings), c.tag);
    }
}

TEST(DatabaseSettingsTest, WithoutAWorkstationValueTheHostNameGivesTheTag) {
    testsupport::TestProgramFolder folder;
    WriteDatabaseRegistry(folder, {{"DataFolder", "/srv/clinic"}});
    const std::wstring tag = CaptureNameTag(ReadDatabaseSettings());
    ASSERT_FALSE(tag.empty());
    EXPECT_LE(tag.size(), 8u);
    EXPECT_TRUE(tag.front() >= L'a' && tag.front() <= L'z') << text::ToUtf8(tag);
}

}  // namespace
