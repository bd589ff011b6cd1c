// Filing Temp's captures under a patient on a real database and real files: rows, copies and
// an empty Temp when everything arrives; every capture whose files did not all arrive kept
// whole in Temp, and filed by the next try.
#include "camera/CaptureFiling.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "media/MediaLayout.h"
#include "platform/odbc/Connection.h"
#include "platform/text/Text.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestProgramFolder.h"
#include "utility/files/Files.h"

namespace {

namespace fs = std::filesystem;

class CaptureFilingTest : public ::testing::Test {
  protected:
    CaptureFilingTest() {
        mStore.DatabaseCreate();
        for (const char* sub : {"images/thumbnail", "videos"}) {
            fs::create_directories(Temp() / sub);
        }
    }

    fs::path Temp() const { return mFolder.Path() / "database" / "Temp"; }
    fs::path Patient() const { return mFolder.Path() / "database" / "4"; }

    // A capture in Temp: a picture of `bytes` bytes, its thumbnail, and a clip for a V name.
    void Capture(const std::string& title, std::size_t bytes = 1000) {
        testsupport::WriteFileBytes(Temp() / "images" / (title + ".bmp"),
                                    std::string(bytes, title.back()));
        testsupport::WriteFileBytes(Temp() / "images/thumbnail" / (title + ".bmp"), "thumb");
        if (title.front() == 'V') {
            testsupport::WriteFileBytes(Temp() / "videos" / (title + ".avi"), "RIFF clip");
        }
    }
    bool Filed(const std::string& title) const {
        const bool files =
            fs::exists(Patient() / "images" / (title + ".bmp")) &&
            fs::exists(Patient() / "images/thumbnail" / (title + ".bmp")) &&
            (title.front() != 'V' || fs::exists(Patient() / "videos" / (title + ".avi")));
        return files && Row(title).has_value();
    }
    bool InTemp(const std::string& title) const {
        return fs::exists(Temp() / "images" / (title + ".bmp")) &&
               fs::exists(Temp() / "images/thumbnail" / (title + ".bmp")) &&
               (title.front() != 'V' || fs::exists(Temp() / "videos" / (title + ".avi")));
    }
    std::optional<PhotoRecord> Row(const std::string& title) const {
        PhotoRecord photo;
        photo.customerSerialNumber = 4;
        photo.name = text::FromUtf8(title);
        if (!mStore.PhotoSelect(photo)) {
            return std::nullopt;
        }
        return photo;
    }
    std::size_t TempFiles() const {
        std::size_t count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(Temp())) {
            count += entry.is_regular_file();
        }
        return count;
    }

    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mStandardBoxes;
    mutable DATABASECONTEXT mStore{nullptr};
    cameratest::RecordedPrompts mPrompts;
    CaptureFiling mFiling{mStore, mPrompts, mFolder.WidePath()};
};

TEST_F(CaptureFilingTest, TwoStillsAndAClipBecomeThreeRowsAndTheirFilesAndTempEmpties) {
    Capture("P2403020905071");
    Capture("P2403020905082");
    Capture("V2403020905101");
    // Registered before, say by an earlier filing that was cut short: not inserted twice.
    ASSERT_TRUE(mStore.PhotoInsert({0, 4, L"P2403020905082", L"1/1/2024", L"kept comment"}));

    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 3);
    EXPECT_EQ(result.kept, 0);
    std::wstring today;
    UTILITY_GetDateString(today);
    for (const char* title : {"P2403020905071", "V2403020905101"}) {
        ASSERT_TRUE(Filed(title)) << title;
        EXPECT_EQ(Row(title)->date, today);
        EXPECT_EQ(Row(title)->comment, L"");
    }
    EXPECT_EQ(Row("P2403020905082")->comment, L"kept comment");
    EXPECT_EQ(testsupport::ReadFileBytes(Patient() / "videos/V2403020905101.avi"), "RIFF clip");
    EXPECT_EQ(TempFiles(), 0u);
    EXPECT_TRUE(mPrompts.messages.empty());
}

TEST_F(CaptureFilingTest, AClipWhosePosterWasNeverTakenIsFiledWithoutARow) {
    testsupport::WriteFileBytes(Temp() / "videos/V2403020905101.avi", "RIFF clip");
    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 1);
    EXPECT_EQ(testsupport::ReadFileBytes(Patient() / "videos/V2403020905101.avi"), "RIFF clip");
    EXPECT_FALSE(Row("V2403020905101"));
    EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(CaptureFilingTest, EmptyTempInsertsNothing) {
    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed + result.kept, 0);
    EXPECT_FALSE(mFiling.TempHoldsCaptures());
    EXPECT_FALSE(Row("P2403020905071"));
}

// Each fault keeps the captures it hits in Temp with no row; the others are filed. Clearing
// the fault and filing again files them all.
TEST_F(CaptureFilingTest, CapturesThatDidNotArriveStayInTempUntilARetryFilesThem) {
    struct Case {
        const char* name;
        std::function<void()> fault;
        std::function<void()> clear;
        std::vector<std::string> kept;
    };
    std::unique_ptr<testsupport::FileSizeLimit> fullDisk;
    const Case cases[] = {
        {"the disk fills up at the big picture",
         [&] { fullDisk = std::make_unique<testsupport::FileSizeLimit>(100000); },
         [&] { fullDisk.reset(); },
         {"P2403020905082"}},
        {"the patient's videos folder is a file",
         [&] {
             fs::create_directories(Patient());
             testsupport::WriteFileBytes(Patient() / "videos", "not a folder");
         },
         [&] { fs::remove(Patient() / "videos"); },
         {"V2403020905101"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove_all(Patient());
        mStore.PhotoDeleteByCustomer(4);
        Capture("P2403020905071");
        Capture("P2403020905082", 600000);
        Capture("V2403020905101");
        test.fault();
        const CaptureFiling::Result failed = mFiling.FileTemp(4);
        test.clear();
        EXPECT_EQ(failed.kept, static_cast<int>(test.kept.size()));
        for (const std::string& title : test.kept) {
            EXPECT_TRUE(InTemp(title)) << title;
            EXPECT_FALSE(Row(title)) << title;
        }
        EXPECT_TRUE(mFiling.TempHoldsCaptures());

        const CaptureFiling::Result retry = mFiling.FileTemp(4);
        EXPECT_EQ(retry.kept, 0);
        EXPECT_EQ(retry.filed, static_cast<int>(test.kept.size()));
        for (const char* title : {"P2403020905071", "P2403020905082", "V2403020905101"}) {
            EXPECT_TRUE(Filed(title)) << title;
        }
        EXPECT_EQ(TempFiles(), 0u);
    }
}

TEST_F(CaptureFilingTest, AFileOfTheSameNameIsNeverReplaced) {
    Capture("P2403020905071");
    Capture("P2403020905082");
    fs::create_directories(Patient() / "images");
    // The same bytes (a retry after a cut filing) count as arrived; other bytes are another
    // capture, which must not be overwritten.
    fs::copy_file(Temp() / "images/P2403020905071.bmp", Patient() / "images/P2403020905071.bmp");
    testsupport::WriteFileBytes(Patient() / "images/P2403020905082.bmp", "an older capture");

    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 1);
    EXPECT_EQ(result.kept, 1);
    EXPECT_TRUE(Filed("P2403020905071"));
    EXPECT_TRUE(InTemp("P2403020905082"));
    EXPECT_EQ(testsupport::ReadFileBytes(Patient() / "images/P2403020905082.bmp"),
              "an older capture");
}

// Another workstation filing into a shared folder may run under the same process id: the
// staging files it has under the names this one would take are passed over and left alone.
TEST_F(CaptureFilingTest, AnotherWorkstationsStagingFilesAreLeftAlone) {
    const auto staging = [](int sequence) {
        return ".sorvanti-filing-" + std::to_string(::getpid()) + "-" + std::to_string(sequence) +
               ".tmp";
    };
    Capture("V2403020905101");
    for (const char* sub : {"images", "images/thumbnail", "videos"}) {
        for (int sequence = 0; sequence < 200; ++sequence) {
            testsupport::WriteFileBytes(Patient() / sub / staging(sequence),
                                        "another workstation's copy");
        }
    }
    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 1);
    EXPECT_TRUE(Filed("V2403020905101"));
    EXPECT_EQ(testsupport::ReadFileBytes(Patient() / "videos" / staging(0)),
              "another workstation's copy");
}

TEST_F(CaptureFilingTest, ADatabaseErrorStopsTheRowsButTheFilesAreStillFiled) {
    Capture("P2403020905071");
    Capture("P2403020905082");
    mStore.Close();
    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 2);
    EXPECT_EQ(mPrompts.messages, std::vector<std::wstring>{L"Database Error!"});
    EXPECT_TRUE(fs::exists(Patient() / "images/P2403020905082.bmp"));
    EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(CaptureFilingTest, ARowRefusedAmongOthersKeepsTheRowsBeforeItAndStopsThere) {
    for (const char* title : {"P2403020905071", "P2403020905082", "P2403020905093"}) {
        Capture(title);
    }
    // Another program's rule refuses the second row: the rows go in one at a time after the
    // batch fails, so that the first stays, as it would have without the batch.
    odbc::Connection admin;
    admin.Open(L"MedicalRecord");
    admin.ExecuteDirect(
        L"CREATE TRIGGER refuse_photo BEFORE INSERT ON photo_table "
        L"WHEN NEW.PHOTO_NAME = 'P2403020905082' BEGIN SELECT RAISE(ABORT, 'refused'); END");

    const CaptureFiling::Result result = mFiling.FileTemp(4);
    EXPECT_EQ(result.filed, 3);
    EXPECT_EQ(mPrompts.messages, std::vector<std::wstring>{L"Database Error!"});
    EXPECT_TRUE(Row("P2403020905071").has_value());
    EXPECT_FALSE(Row("P2403020905082").has_value());
    EXPECT_FALSE(Row("P2403020905093").has_value());
    EXPECT_TRUE(fs::exists(Patient() / "images/P2403020905093.bmp"));
    EXPECT_EQ(TempFiles(), 0u);
}

}  // namespace
