// Playing a clip: the command text reads back as the clip's exact path whatever the name
// holds, and the player is started with that path as its one argument, never through a shell.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sys/CommandLine.h"
#include "platform/text/Text.h"
#include "review/ClipPlayback.h"
#include "tests/review/PatientCaptures.h"

namespace {

TEST(ClipPlaybackTest, CommandReadsBackAsTheClipsPath) {
    const std::wstring paths[] = {
        L"/program/database/3/videos/V1603071.avi",
        L"/with space/V1.avi",
        L"/a\"quote/V\"1.avi",
        L"/back\\slash/V\\\\\"1.avi",
        L"/dollar/$(touch pwned);`id` %TEMP% & V1.avi",
        L"/trailing\\",
    };
    for (const std::wstring& path : paths) {
        const std::vector<sys::CommandArgument> split = sys::SplitCommandLine(PlayerCommand(path));
        ASSERT_EQ(split.size(), 3u) << text::ToUtf8(path);
        EXPECT_EQ(split[0].text, L"start");
        EXPECT_EQ(split[1].text, L"wmplayer");
        EXPECT_EQ(split[2].text, path);
    }
    EXPECT_EQ(PlayerCommand(L"/v/V1.avi"), L"start wmplayer \"/v/V1.avi\"");
}

TEST(ClipPlaybackTest, VideoStillStartsThePlayerWithItsClipAndAStillStartsNothing) {
    reviewtest::PatientCaptures captures;
    reviewtest::RecordingPlayer player(captures.Folder());
    const std::wstring videos = captures.VideoFolder();
    EXPECT_FALSE(PlayCaptureClip(videos, captures.PicturePath("P1603071.bmp")));
    EXPECT_FALSE(PlayCaptureClip(videos, L""));
    const std::string hostile = "V1 \"$(touch pwned)\";`touch pwned`";
    EXPECT_TRUE(PlayCaptureClip(videos, captures.PicturePath(hostile + ".bmp")));
    EXPECT_TRUE(PlayCaptureClip(videos, captures.PicturePath("V1603071.bmp")));
    // The two players run side by side: their records may come in either order.
    std::vector<std::string> recorded = player.WaitForArguments(2);
    std::sort(recorded.begin(), recorded.end());
    const std::string folder = text::ToUtf8(videos);
    EXPECT_EQ(recorded,
              (std::vector<std::string>{folder + hostile + ".avi", folder + "V1603071.avi"}));
    for (const auto& where : {captures.Folder(), std::filesystem::current_path()}) {
        EXPECT_FALSE(std::filesystem::exists(where / "pwned"));
    }
}

}  // namespace
