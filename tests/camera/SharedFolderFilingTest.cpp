// Two workstations with Temp folders of their own filing into one shared media folder at the
// same time, on one record store (the embedded database file or a database server): for the
// same patient and for different patients every capture arrives with its own bytes and its
// row, although both workstations named their captures in the same second; and deleting one
// through the review rules takes its own files and row only.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "camera/CaptureFiling.h"
#include "camera/CaptureNames.h"
#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "records/DatabaseSettings.h"
#include "review/CaptureDeletion.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/records/RecordStoreFixture.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStills = 4;
constexpr int kClips = 2;

// Answers every question with YES.
class ConfirmingPrompts final : public OperatorPrompts {
  public:
    void ShowMessage(const std::wstring& text) override { ADD_FAILURE() << text::ToUtf8(text); }
    bool AskYesNo(const std::wstring&) override { return true; }
};

struct Workstation {
    fs::path programFolder;  // its own Temp lies below it
    std::wstring name;       // the registry's "Workstation" on that machine
    int32_t patient = 0;
    std::vector<std::wstring> captures;
};

class SharedFolderFilingTest : public RecordStoreEnginesTest {
  protected:
    SharedFolderFilingTest() {
        std::vector<std::pair<std::string, std::string>> values{{"DataFolder", Share().string()}};
        if (mEngine == RecordEngine::kServer) {
            values.emplace_back("DataSource", text::ToUtf8(ServerDataSourceName()));
        }
        WriteDatabaseRegistry(mFolder, values);
        fs::create_directories(Share());
    }

    fs::path Share() const { return mFolder.Path() / "clinic-share"; }
    fs::path PatientFolder(int32_t patient) const {
        return Share() / "database" / std::to_string(patient);
    }
    static fs::path Temp(const Workstation& workstation) {
        return workstation.programFolder / "database" / "Temp";
    }
    std::wstring MediaFolder() const {
        return ::MediaFolder(ReadDatabaseSettings(), mFolder.WidePath());
    }

    // Takes the workstation's captures at `localTime` into its Temp, named as its camera
    // window names them; each file holds the workstation's name and the capture's.
    void TakeCaptures(Workstation& workstation, const std::tm& localTime) const {
        DatabaseSettings settings = ReadDatabaseSettings();
        settings.workstation = workstation.name;
        const fs::path temp = Temp(workstation);
        fs::create_directories(temp / "images/thumbnail");
        fs::create_directories(temp / "videos");
        const std::wstring patient = text::sprintf(L"%d", workstation.patient);
        const CaptureNameFolders taken{{text::FromPath(temp / "images") + L"/",
                                        media::CommitImagesFolder(MediaFolder(), patient)},
                                       {text::FromPath(temp / "videos") + L"/",
                                        media::CommitVideosFolder(MediaFolder(), patient)},
                                       CaptureNameTag(settings)};
        int stills = 0;
        int clips = 0;
        for (int i = 0; i < kStills + kClips; ++i) {
            const bool clip = i >= kStills;
            const std::wstring title =
                NextCaptureName(clip ? CaptureKind::kClip : CaptureKind::kStill, localTime,
                                clip ? clips : stills, taken);
            const std::string bytes = Content(workstation, title);
            const std::string file = text::ToUtf8(title) + ".bmp";
            testsupport::WriteFileBytes(temp / "images" / file, bytes);
            testsupport::WriteFileBytes(temp / "images/thumbnail" / file, "thumb " + bytes);
            if (clip) {
                testsupport::WriteFileBytes(temp / "videos" / (text::ToUtf8(title) + ".avi"),
                                            "RIFF " + bytes);
            }
            workstation.captures.push_back(title);
        }
    }
    static std::string Content(const Workstation& workstation, const std::wstring& title) {
        return text::ToUtf8(workstation.name + L" " + title);
    }

    bool HasRow(int32_t patient, const std::wstring& title) const {
        PhotoRecord photo;
        photo.customerSerialNumber = patient;
        photo.name = title;
        return mStore->PhotoSelect(photo);
    }

    // Every capture of the workstation is in the shared folder with its own bytes and its row.
    void ExpectFiled(const Workstation& workstation) const {
        const fs::path folder = PatientFolder(workstation.patient);
        for (const std::wstring& title : workstation.captures) {
            SCOPED_TRACE(text::ToUtf8(title));
            const std::string file = text::ToUtf8(title) + ".bmp";
            const std::string bytes = Content(workstation, title);
            EXPECT_EQ(testsupport::ReadFileBytes(folder / "images" / file), bytes);
            EXPECT_EQ(testsupport::ReadFileBytes(folder / "images/thumbnail" / file),
                      "thumb " + bytes);
            if (media::BeginsAsVideo(title)) {
                EXPECT_EQ(
                    testsupport::ReadFileBytes(folder / "videos" / (text::ToUtf8(title) + ".avi")),
                    "RIFF " + bytes);
            }
            EXPECT_TRUE(HasRow(workstation.patient, title));
        }
        for (const auto& entry : fs::recursive_directory_iterator(Temp(workstation))) {
            EXPECT_FALSE(entry.is_regular_file()) << entry.path();
        }
    }
};

TEST_P(SharedFolderFilingTest, TwoWorkstationsFilingAtOnceLoseAndOverwriteNothing) {
    CountingPresenter boxes;
    const struct {
        const char* what;
        int32_t first, second;
    } cases[] = {{"same patient", 4, 4}, {"different patients", 4, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<Workstation, 2> workstations{
            Workstation{mFolder.Path(), L"Room-A", c.first, {}},
            Workstation{
                mFolder.Path() / ("room-b-" + std::to_string(c.second)), L"Room-B", c.second, {}}};
        // Both in the same second, with the same running digits.
        std::tm localTime{};
        localTime.tm_year = 126, localTime.tm_mon = 11, localTime.tm_mday = 10;
        localTime.tm_hour = 15, localTime.tm_min = c.first == c.second ? 30 : 31;
        for (Workstation& workstation : workstations) {
            TakeCaptures(workstation, localTime);
        }

        std::vector<std::thread> filings;
        std::array<CaptureFiling::Result, 2> results;
        for (std::size_t i = 0; i < workstations.size(); ++i) {
            filings.emplace_back([&workstation = workstations[i], &result = results[i]] {
                DATABASECONTEXT store(nullptr);
                store.DatabaseCreate();
                cameratest::RecordedPrompts prompts;
                CaptureFiling filing(store, prompts, text::FromPath(workstation.programFolder));
                result = filing.FileTemp(workstation.patient);
                EXPECT_TRUE(prompts.messages.empty());
            });
        }
        for (std::thread& filing : filings) {
            filing.join();
        }
        for (std::size_t i = 0; i < workstations.size(); ++i) {
            EXPECT_EQ(results[i].filed, kStills + kClips);
            EXPECT_EQ(results[i].kept, 0);
            ExpectFiled(workstations[i]);
        }
        EXPECT_FALSE(fs::exists(mFolder.Path() / "database" / std::to_string(c.first)));

        // The second workstation's first clip, deleted through the review rules, takes its own
        // picture, thumbnail, clip and row, and none of the first workstation's.
        Workstation& second = workstations[1];
        const std::wstring title = second.captures[kStills];
        const std::wstring images = text::FromPath(PatientFolder(second.patient) / "images") + L"/";
        const MediaContext context{*mStore, second.patient, images,
                                   text::FromPath(PatientFolder(second.patient) / "videos") + L"/"};
        ConfirmingPrompts yes;
        ASSERT_EQ(AskAndDeleteCapture(context, images + title + L".bmp", ClipFate::kDeleted, yes),
                  DeleteOutcome::kDeleted);
        EXPECT_FALSE(HasRow(second.patient, title));
        EXPECT_FALSE(
            fs::exists(PatientFolder(second.patient) / "videos" / (text::ToUtf8(title) + ".avi")));
        second.captures.erase(second.captures.begin() + kStills);
        for (const Workstation& workstation : workstations) {
            ExpectFiled(workstation);
        }
    }
    EXPECT_EQ(boxes.count.load(), 0);
}

// A shared folder that is not there (not mounted) is never made on the local disk: the
// captures wait in Temp and are filed once it is back.
TEST_P(SharedFolderFilingTest, CapturesWaitInTempWhileTheSharedFolderIsAway) {
    fs::remove_all(Share());
    Workstation workstation{mFolder.Path(), L"Room-A", 4, {}};
    std::tm localTime{};
    localTime.tm_year = 126, localTime.tm_mon = 11, localTime.tm_mday = 10;
    TakeCaptures(workstation, localTime);
    cameratest::RecordedPrompts prompts;
    CaptureFiling filing(*mStore, prompts, mFolder.WidePath());

    EXPECT_EQ(filing.FileTemp(4).kept, kStills + kClips);
    EXPECT_FALSE(fs::exists(Share()));
    EXPECT_TRUE(filing.TempHoldsCaptures());

    fs::create_directories(Share());
    EXPECT_EQ(filing.FileTemp(4).filed, kStills + kClips);
    ExpectFiled(workstation);
    EXPECT_FALSE(fs::exists(mFolder.Path() / "database" / "4"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SharedFolderFilingTest,
                         ::testing::Values(RecordEngine::kEmbedded, RecordEngine::kServer),
                         EngineName);

}  // namespace
