// Updating keys of the configuration file: the rewritten bytes, the cases that must leave the
// file untouched, failed rewrites, and concurrent updaters.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/support/ConfigurationFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Unprivileged.h"
#include "utility/files/Configuration.h"

namespace {

using testsupport::kDefaultConfiguration;
using ConfigurationWriteTest = testsupport::ConfigurationFileTest;

std::string Repeat(std::string_view line, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

TEST_F(ConfigurationWriteTest, UpdateRewritesEveryLineTrimmedWithCrLf) {
    Store(kDefaultConfiguration);
    ASSERT_TRUE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexCapture", 3));
    EXPECT_EQ(Stored(),
              "==Sorvanti Configuration==\r\n"
              "\r\n"
              "=Begin Of Configuration=\r\n"
              "\r\n"
              "Version : 0x0324\r\n"
              "CameraVendor : 0xFFFF\r\n"
              "CameraProduct : 0xFFFF\r\n"
              "CameraResolutionIndexRecord : 0xFF\r\n"
              "CameraResolutionIndexCapture : 0x03\r\n"
              "VideoProcAmp_Brightness : 0xFFFFFFFF\r\n"
              "VideoProcAmp_Contrast : 0xFFFFFFFF\r\n"
              "VideoProcAmp_Saturation : 0xFFFFFFFF\r\n"
              "\r\n"
              "=End Of Configuration=\r\n"
              "\r\n"
              "Usage :\r\n"
              "\r\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Sorvanti.ini"});
}

TEST_F(ConfigurationWriteTest, EachWidthWritesFixedLowerCaseDigitsAndReadsBack) {
    Store(kDefaultConfiguration);
    ASSERT_TRUE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexRecord", 0x0A));
    ASSERT_TRUE(UTILITY_WriteConfigWord(Path(), "CameraVendor", 0x046D));
    ASSERT_TRUE(UTILITY_WriteConfigDword(Path(), "VideoProcAmp_Contrast", -5));
    const std::string stored = Stored();
    EXPECT_NE(stored.find("\r\nCameraResolutionIndexRecord : 0x0a\r\n"), std::string::npos);
    EXPECT_NE(stored.find("\r\nCameraVendor : 0x046d\r\n"), std::string::npos);
    EXPECT_NE(stored.find("\r\nVideoProcAmp_Contrast : 0xfffffffb\r\n"), std::string::npos);
    uint8_t index = 0;
    uint16_t vendor = 0;
    int32_t contrast = 0;
    EXPECT_TRUE(UTILITY_ReadConfigByte(Path(), "CameraResolutionIndexRecord", index));
    EXPECT_TRUE(UTILITY_ReadConfigWord(Path(), "CameraVendor", vendor));
    EXPECT_TRUE(UTILITY_ReadConfigDword(Path(), "VideoProcAmp_Contrast", contrast));
    EXPECT_EQ(index, 0x0A);
    EXPECT_EQ(vendor, 0x046D);
    EXPECT_EQ(contrast, -5);
}

TEST_F(ConfigurationWriteTest, UpdateReplacesMatchingLinesBeforeTheEndMarkerOnly) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"before the begin marker, with blanks around",
         "  CameraVendor : 0x0001 \r\n=Begin Of Configuration=\r\n",
         "CameraVendor : 0x0002\r\n=Begin Of Configuration=\r\n"},
        {"every duplicate before the end marker",
         "CameraVendor : 0x0001\r\nCameraVendor : 0x0003\r\n=End Of Configuration=\r\n"
         "CameraVendor : 0x0004\r\n",
         "CameraVendor : 0x0002\r\nCameraVendor : 0x0002\r\n=End Of Configuration=\r\n"
         "CameraVendor : 0x0004\r\n"},
        {"bytes after the last line feed dropped", "CameraVendor : 0x0001\r\nTail",
         "CameraVendor : 0x0002\r\n"},
        {"LF-only lines get CR LF; tabs stay", "CameraVendor : 0x0001\n\tTab \n",
         "CameraVendor : 0x0002\r\n\tTab\r\n"},
        {"256 lines are within the limit", "CameraVendor : 0x0001\r\n" + Repeat("x\r\n", 255),
         "CameraVendor : 0x0002\r\n" + Repeat("x\r\n", 255)},
    };
    for (const auto& c : cases) {
        Store(c.before);
        EXPECT_TRUE(UTILITY_WriteConfigWord(Path(), "CameraVendor", 2)) << c.what;
        EXPECT_EQ(Stored(), c.after) << c.what;
    }
}

TEST_F(ConfigurationWriteTest, UpdateThatCannotApplyLeavesTheFileByteForByte) {
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"absent key", " =Begin Of Configuration=\r\nCameraProduct : 0xFFFF\r\nTail"},
        {"key only after the end marker", "=End Of Configuration=\r\nCameraVendor : 0x0001\r\n"},
        {"key only on the end marker's line", "=End Of Configuration= CameraVendor : 0x0001\r\n"},
        {"key only on an unterminated last line", " \r\nCameraVendor : 0x0001"},
        {"a line over 259 bytes", "CameraVendor : 0x0001\r\n" + std::string(300, 'x') + "\r\n"},
        {"more than 256 lines", "CameraVendor : 0x0001\r\n" + Repeat(" x \r\n", 256)},
    };
    for (const auto& c : cases) {
        Store(c.content);
        EXPECT_FALSE(UTILITY_WriteConfigWord(Path(), "CameraVendor", 2)) << c.what;
        EXPECT_EQ(Stored(), c.content) << c.what;
    }
}

TEST_F(ConfigurationWriteTest, UpdateNeverCreatesAMissingFile) {
    EXPECT_FALSE(UTILITY_WriteConfigWord(Path(), "CameraVendor", 2));
    EXPECT_TRUE(FolderNames().empty());
}

// A full disk in the middle of the rewrite: the file-size limit makes the new content's write
// fail after part of it went out.
TEST_F(ConfigurationWriteTest, FailedRewriteKeepsTheOldFileWhole) {
    Store(kDefaultConfiguration);
    bool updated = true;
    {
        testsupport::FileSizeLimit fullDisk(64);
        updated = UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexCapture", 3);
    }

    EXPECT_FALSE(updated);
    EXPECT_EQ(Stored(), kDefaultConfiguration);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Sorvanti.ini"});
}

TEST_F(ConfigurationWriteTest, ReadOnlyFolderMakesTheUpdateFailAndKeepsTheFile) {
    testsupport::Unprivileged unprivileged(mFolder.Path());
    if (!unprivileged.Enforced()) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    Store(kDefaultConfiguration);
    std::filesystem::permissions(
        mFolder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexCapture", 3));
    EXPECT_EQ(Stored(), kDefaultConfiguration);
}

// Two threads update different keys while a third reads: no update is lost, and no reader ever
// finds the file without its Version line.
TEST_F(ConfigurationWriteTest, ConcurrentUpdatesLoseNothingAndReadersSeeWholeFiles) {
    Store(kDefaultConfiguration);
    constexpr int kRounds = 100;
    std::atomic<bool> updating{true};
    std::atomic<int> failedUpdates{0};
    std::atomic<int> missedReads{0};
    const auto updater = [&](const char* key) {
        for (int value = 1; value <= kRounds; ++value) {
            if (!UTILITY_WriteConfigDword(Path(), key, value)) {
                ++failedUpdates;
            }
        }
    };
    std::thread reader([&] {
        while (updating) {
            uint16_t version = 0;
            if (!UTILITY_ReadConfigWord(Path(), "Version", version) || version != 0x0324) {
                ++missedReads;
            }
        }
    });
    std::thread brightness(updater, "VideoProcAmp_Brightness");
    std::thread contrast(updater, "VideoProcAmp_Contrast");
    brightness.join();
    contrast.join();
    updating = false;
    reader.join();

    EXPECT_EQ(failedUpdates, 0);
    EXPECT_EQ(missedReads, 0);
    int32_t brightnessValue = 0;
    int32_t contrastValue = 0;
    EXPECT_TRUE(UTILITY_ReadConfigDword(Path(), "VideoProcAmp_Brightness", brightnessValue));
    EXPECT_TRUE(UTILITY_ReadConfigDword(Path(), "VideoProcAmp_Contrast", contrastValue));
    EXPECT_EQ(brightnessValue, kRounds);
    EXPECT_EQ(contrastValue, kRounds);
}

// Whether /proc/locks lists a blocked request ("->") for a lock on `path`'s inode, waiting up to
// 30 s for one to appear.
bool LockRequestBlocked(const std::filesystem::path& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    const std::string inode = ":" + std::to_string(status.st_ino) + " ";
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
         std::chrono::steady_clock::now() < end;) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);) {
            if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Another running instance holds the lock while it rewrites the file: the update waits for it
// and then applies to the other instance's content instead of overwriting it.
TEST_F(ConfigurationWriteTest, UpdateWaitsForAnotherInstancesLock) {
    Store(kDefaultConfiguration);
    const int folder = ::open(mFolder.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);

    std::atomic<bool> done{false};
    std::thread update([&] {
        EXPECT_TRUE(UTILITY_WriteConfigByte(Path(), "CameraResolutionIndexCapture", 3));
        done = true;
    });
    // The update is proven to wait when the kernel lists its lock request on the folder as
    // blocked; a fixed pause would also pass when the thread had not started yet.
    ASSERT_TRUE(LockRequestBlocked(mFolder.Path())) << "the update never waited for the lock";
    EXPECT_FALSE(done);
    std::string otherInstance(kDefaultConfiguration);
    otherInstance.replace(otherInstance.find("CameraVendor : 0xFFFF"), 21, "CameraVendor : 0x046d");
    Store(otherInstance);
    ::flock(folder, LOCK_UN);
    ::close(folder);
    update.join();

    const std::string stored = Stored();
    EXPECT_NE(stored.find("\r\nCameraVendor : 0x046d\r\n"), std::string::npos);
    EXPECT_NE(stored.find("\r\nCameraResolutionIndexCapture : 0x03\r\n"), std::string::npos);
}

}  // namespace
