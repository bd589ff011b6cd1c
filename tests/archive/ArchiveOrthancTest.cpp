// Sending to a real archive: one Orthanc for the whole program (started by the environment
// below), each test with its own patients, checked through Orthanc's REST API.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcuid.h>

#include <atomic>
#include <set>
#include <sstream>

#include "archive/ArchiveCommands.h"
#include "archive/ArchiveCommentVersions.h"
#include "archive/ArchiveLink.h"
#include "archive/ArchiveSender.h"
#include "archive/ArchiveSettings.h"
#include "archive/ArchiveUids.h"
#include "archive/ArchiveWorker.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/sys/Registry.h"
#include "tests/archive/ArchiveFilingFixture.h"
#include "tests/archive/LocalOrthanc.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using archivetest::JsonString;
using archivetest::JsonStrings;
using archivetest::LocalOrthanc;
using cameratest::WaitUntil;

LocalOrthanc* gArchive = nullptr;

class OrthancEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        mArchive = std::make_unique<LocalOrthanc>();
        mArchive->Start();
        gArchive = mArchive.get();
    }
    void TearDown() override {
        gArchive = nullptr;
        mArchive.reset();
    }

  private:
    std::unique_ptr<LocalOrthanc> mArchive;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OrthancEnvironment);

class ArchiveOrthancTest : public archivetest::ArchiveFilingFixture {
  protected:
    ArchiveOrthancTest() { Configure(LocalOrthanc::kAeTitle); }

    void Configure(const std::string& calledAe) {
        archivetest::WriteArchiveRegistry("127.0.0.1", gArchive->DicomPort(), calledAe);
    }
    ArchiveSettings Settings() const {
        std::string problem;
        return ReadArchiveSettings(problem).value();
    }
    SendPassResult SendOnce() {
        ArchiveLink link(Settings());
        const std::atomic<bool> stop{false};
        return SendPending(mQueue, link, program::Folder(), stop);
    }
    std::string Command(const std::vector<std::string>& arguments, int expectedCode) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunArchiveCommand(arguments, out, err), expectedCode) << err.str();
        return out.str() + err.str();
    }

    // The simplified tags of every instance of patient `pid`, in the order they arrived.
    static std::vector<std::string> Arrived(const std::string& pid) {
        std::vector<std::string> instances;
        const std::string changes = gArchive->Get("/changes?limit=10000");
        std::set<std::string> seen;
        for (std::size_t at = changes.find("\"/instances/"); at != std::string::npos;
             at = changes.find("\"/instances/", at + 1)) {
            const std::size_t start = at + 12;
            const std::string id = changes.substr(start, changes.find('"', start) - start);
            if (!seen.insert(id).second) {
                continue;
            }
            const std::string tags = gArchive->Get("/instances/" + id + "/simplified-tags");
            if (JsonString(tags, "PatientID") == pid) {
                instances.push_back(tags);
            }
        }
        return instances;
    }
    static std::size_t Distinct(const std::vector<std::string>& values) {
        return std::set<std::string>(values.begin(), values.end()).size();
    }
    static std::vector<std::string> Field(const std::vector<std::string>& instances,
                                          const std::string& key) {
        std::vector<std::string> values;
        for (const std::string& tags : instances) {
            values.push_back(JsonString(tags, key));
        }
        return values;
    }
};

TEST_F(ArchiveOrthancTest, ACaptureArrivesWithThePatientCameraTimeAndComment) {
    const int32_t serial = AddPatient(L"XC-1", L"Zo\u00eb O'Neil \u738b\u5c0f\u660e", L"3/7/2016");
    Capture("P2512101430152", 32, 16);
    ASSERT_TRUE(
        mStore.PhotoInsert({0, serial, L"P2512101430152", L"12/10/2025", L"left \u00e6ye"}));
    ASSERT_EQ(File(serial), 1);
    const ArchiveItem item = mQueue.Pending().at(0).item;

    EXPECT_EQ(SendOnce().sent, 1);

    const auto arrived = Arrived("XC-1");
    ASSERT_EQ(arrived.size(), 1u);
    const struct {
        const char* key;
        std::string value;
    } expected[] = {
        {"SOPClassUID", UID_VLPhotographicImageStorage},
        {"SOPInstanceUID", InstanceUid(item)},
        {"StudyInstanceUID", StudyUid(item)},
        {"SeriesInstanceUID", SeriesUid(item)},
        {"Modality", "XC"},
        {"SpecificCharacterSet", "ISO_IR 192"},
        {"PatientID", "XC-1"},
        {"PatientName", "Zo\xc3\xab O'Neil \xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e"},
        {"PatientComments", "First visit: 3/7/2016"},
        {"ContentDate", "20251210"},
        {"ContentTime", "143015"},
        {"AcquisitionDateTime", "20251210143015"},
        {"StudyDate", "20251210"},
        {"ManufacturerModelName", "USB Camera (VID_1234&PID_5678)"},
        {"DeviceSerialNumber", "1234 5678-CAM00001"},
        {"ImageComments", "left \xc3\xa6ye"},
        {"Rows", "16"},
        {"Columns", "32"},
        {"SamplesPerPixel", "3"},
        {"BitsAllocated", "8"},
        {"PhotometricInterpretation", "RGB"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(JsonString(arrived[0], key), value) << key;
    }
    EXPECT_TRUE(mQueue.Pending().empty());
    EXPECT_EQ(mQueue.Sent().size(), 1u);
}

TEST_F(ArchiveOrthancTest, ThreeCapturesOfOneSessionMakeOneStudyWithOneSeries) {
    const int32_t serial = AddPatient(L"XC-2", L"Three", L"1/2/2020");
    for (const char* title : {"P2512101500011", "V2512101500102", "P2512101500203"}) {
        Capture(title);
    }
    ASSERT_EQ(File(serial), 3);
    EXPECT_EQ(SendOnce().sent, 3);
    const auto arrived = Arrived("XC-2");
    ASSERT_EQ(arrived.size(), 3u);
    EXPECT_EQ(Distinct(Field(arrived, "StudyInstanceUID")), 1u);
    EXPECT_EQ(Distinct(Field(arrived, "SeriesInstanceUID")), 1u);
    EXPECT_EQ(Distinct(Field(arrived, "SOPInstanceUID")), 3u);
    EXPECT_EQ(Field(arrived, "ContentTime"),
              (std::vector<std::string>{"150001", "150010", "150020"}));
}

TEST_F(ArchiveOrthancTest, CapturesFiledWhileTheArchiveIsDownArriveInOrderOnceItIsBack) {
    const int32_t first = AddPatient(L"XC-3", L"First", L"1/2/2020");
    const int32_t second = AddPatient(L"XC-4", L"Second", L"1/2/2020");
    gArchive->Stop();
    for (const char* title : {"P2512101600031", "P2512101600012", "P2512101600023"}) {
        Capture(title);
    }
    ASSERT_EQ(File(first), 3);
    Capture("P2512101600054");
    ASSERT_EQ(File(second), 1);

    std::atomic<int> passes{0};
    ArchiveWorker worker(
        Settings(), ArchiveQueue::DefaultFolder(), program::Folder(),
        {std::chrono::milliseconds(20), std::chrono::milliseconds(200), std::chrono::seconds(60)},
        [&](const SendPassResult&) { ++passes; });
    ASSERT_TRUE(WaitUntil([&] { return passes >= 2; }));
    EXPECT_NE(Command({"status"}, 0).find("reason: association with ARCHIVE@127.0.0.1"),
              std::string::npos);
    EXPECT_EQ(mQueue.Pending().size(), 4u);

    gArchive->Start();
    ASSERT_TRUE(WaitUntil([&] { return mQueue.Pending().empty(); }));
    EXPECT_EQ(Field(Arrived("XC-3"), "ContentTime"),
              (std::vector<std::string>{"160001", "160002", "160003"}));
    EXPECT_EQ(Arrived("XC-4").size(), 1u);
}

TEST_F(ArchiveOrthancTest, AnUnconvertibleCaptureHoldsBackItsPatientOnly) {
    const int32_t held = AddPatient(L"XC-5", L"Held", L"1/2/2020");
    const int32_t free = AddPatient(L"XC-6", L"Free", L"1/2/2020");
    Capture("P2512101700011");
    Capture("P2512101700022");
    ASSERT_EQ(File(held), 2);
    Capture("P2512101700033");
    ASSERT_EQ(File(free), 1);
    // The first picture of the held patient is damaged after filing.
    testsupport::WriteFileBytes(
        mFolder.Path() / "database" / std::to_string(held) / "images" / "P2512101700011.bmp",
        "BM broken");

    const SendPassResult result = SendOnce();
    EXPECT_EQ(result.sent, 1);
    EXPECT_EQ(result.waiting, 2);
    EXPECT_TRUE(Arrived("XC-5").empty());
    EXPECT_EQ(Arrived("XC-6").size(), 1u);
    const auto pending = mQueue.Pending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_NE(pending[0].reason.find("P2512101700011.bmp"), std::string::npos) << pending[0].reason;

    // Deleted instead of mended: it leaves the queue unsent, and the patient's next one goes.
    fs::remove(mFolder.Path() / "database" / std::to_string(held) / "images" /
               "P2512101700011.bmp");
    EXPECT_EQ(SendOnce().sent, 1);
    EXPECT_EQ(Field(Arrived("XC-5"), "ContentTime"), std::vector<std::string>{"170002"});
    EXPECT_TRUE(mQueue.Pending().empty());
    EXPECT_EQ(mQueue.Dropped().size(), 1u);
    EXPECT_NE(Command({"status"}, 0).find("dropped (deleted before sending): 1"),
              std::string::npos);
}

TEST_F(ArchiveOrthancTest, AWrongCalledAeKeepsTheItemQueuedWithTheArchivesRefusalInStatus) {
    Configure("NOT_THE_ARCHIVE");
    const int32_t serial = AddPatient(L"XC-7", L"Refused", L"1/2/2020");
    Capture("P2512101800011");
    ASSERT_EQ(File(serial), 1);

    const SendPassResult result = SendOnce();
    EXPECT_FALSE(result.reachable);
    EXPECT_EQ(mQueue.Pending().size(), 1u);
    const std::string status = Command({"status"}, 0);
    EXPECT_NE(status.find("waiting: 1"), std::string::npos) << status;
    EXPECT_NE(status.find("P2512101800011  reason: association with NOT_THE_ARCHIVE@"),
              std::string::npos)
        << status;
    EXPECT_NE(status.find("Rejected"), std::string::npos) << status;
    EXPECT_NE(Command({"echo"}, 1).find("Rejected"), std::string::npos);

    Configure(LocalOrthanc::kAeTitle);
    EXPECT_NE(Command({"echo"}, 0).find("answered"), std::string::npos);
    EXPECT_EQ(SendOnce().sent, 1);
    EXPECT_EQ(Arrived("XC-7").size(), 1u);
}

TEST_F(ArchiveOrthancTest, ResendSendsTheSameInstancesAgain) {
    const int32_t serial = AddPatient(L"XC-8", L"Again", L"1/2/2020");
    Capture("P2512101900011");
    Capture("P2512101900022");
    ASSERT_EQ(File(serial), 2);
    ASSERT_EQ(SendOnce().sent, 2);
    const auto before = Field(Arrived("XC-8"), "SOPInstanceUID");

    EXPECT_NE(Command({"resend", std::to_string(serial)}, 0).find("2 capture(s)"),
              std::string::npos);
    EXPECT_EQ(mQueue.Pending().size(), 2u);
    EXPECT_EQ(SendOnce().sent, 2);
    EXPECT_EQ(Field(Arrived("XC-8"), "SOPInstanceUID"), before);
    for (const char* bad : {"x", "0", "-1", "12a"}) {
        Command({"resend", bad}, 2);
    }
    Command({"frobnicate"}, 2);
}

TEST_F(ArchiveOrthancTest, AChangedCommentIsSentAsANewVersionBesideTheFirst) {
    const int32_t serial = AddPatient(L"XC-10", L"Versions", L"1/2/2020");
    Capture("P2512102100011");
    Capture("P2512102100022");
    ASSERT_EQ(File(serial), 2);
    ASSERT_EQ(SendOnce().sent, 2);
    std::string error;
    EXPECT_EQ(QueueChangedComments(mStore, mQueue, serial, error), 0);

    ASSERT_TRUE(mStore.PhotoCommentUpdate(serial, L"P2512102100022", L"second look"));
    EXPECT_EQ(QueueChangedComments(mStore, mQueue, serial, error), 1);
    // Asked again before it was sent: the waiting version already has the comment.
    EXPECT_EQ(QueueChangedComments(mStore, mQueue, serial, error), 0);
    ASSERT_EQ(SendOnce().sent, 1);
    EXPECT_EQ(QueueChangedComments(mStore, mQueue, serial, error), 0);

    const auto arrived = Arrived("XC-10");
    ASSERT_EQ(arrived.size(), 3u);
    EXPECT_EQ(Field(arrived, "ImageComments"), (std::vector<std::string>{"", "", "second look"}));
    EXPECT_EQ(Distinct(Field(arrived, "SOPInstanceUID")), 3u);
    EXPECT_EQ(Distinct(Field(arrived, "SeriesInstanceUID")), 1u);
    EXPECT_EQ(JsonString(arrived[2], "ContentTime"), JsonString(arrived[1], "ContentTime"));
}

// The sender as its own process, killed while it sends and started again: every capture
// arrives once, as one instance each.
class SenderProcess {
  public:
    explicit SenderProcess(const fs::path& program) {
        char* arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>("run"), nullptr};
        EXPECT_EQ(::posix_spawn(&mProcess, program.c_str(), nullptr, nullptr, arguments, environ),
                  0);
    }
    ~SenderProcess() { End(SIGTERM); }
    void End(int signal) {
        if (mProcess > 0) {
            ::kill(mProcess, signal);
            int status = 0;
            ::waitpid(mProcess, &status, 0);
            mProcess = -1;
        }
    }

  private:
    pid_t mProcess = -1;
};

TEST_F(ArchiveOrthancTest, KillingTheSenderWhileItSendsLosesNothingAndDuplicatesNothing) {
    // The program runs from the test's program folder, so it reads this test's registry and
    // queue.
    const fs::path program = mFolder.Path() / "sorvanti-dicom";
    fs::copy_file(SORVANTI_DICOM_PROGRAM, program);
    const int32_t serial = AddPatient(L"XC-9", L"Killed", L"1/2/2020");
    constexpr int kCaptures = 8;
    for (int i = 0; i < kCaptures; ++i) {
        Capture("P2512102000" + std::to_string(10 + i) + "1", 1920, 1080);
    }
    ASSERT_EQ(File(serial), kCaptures);
    {
        SenderProcess sender(program);
        ASSERT_TRUE(WaitUntil([&] { return !Arrived("XC-9").empty(); }));
        sender.End(SIGKILL);
    }
    {
        SenderProcess sender(program);
        ASSERT_TRUE(WaitUntil([&] { return mQueue.Pending().empty(); }));
    }
    const auto uids = Field(Arrived("XC-9"), "SOPInstanceUID");
    EXPECT_EQ(uids.size(), static_cast<std::size_t>(kCaptures));
    EXPECT_EQ(Distinct(uids), uids.size());
    EXPECT_EQ(mQueue.Sent().size(), static_cast<std::size_t>(kCaptures));
}

TEST_F(ArchiveOrthancTest, CapturesFiledIntoASharedDataFolderAreSentFromThere) {
    const fs::path shared = mFolder.Path() / "shared";
    fs::create_directories(shared);
    // The registry holds the archive's key and the database key naming the shared folder.
    std::string registry = testsupport::ReadFileBytes(sys::RegistryFile());
    registry += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Database]\r\n\"DataFolder\"=\"" +
                shared.string() + "\"\r\n";
    testsupport::WriteFileBytes(sys::RegistryFile(), registry);
    const fs::path program = mFolder.Path() / "sorvanti-dicom";
    fs::copy_file(SORVANTI_DICOM_PROGRAM, program);
    const int32_t serial = AddPatient(L"XC-11", L"Shared", L"1/2/2020");
    Capture("P2512102000101", 64, 48);
    ASSERT_EQ(File(serial), 1);
    ASSERT_FALSE(fs::exists(mFolder.Path() / "database" / std::to_string(serial)));

    SenderProcess sender(program);
    ASSERT_TRUE(WaitUntil([&] { return mQueue.Pending().empty(); }));
    EXPECT_EQ(Arrived("XC-11").size(), 1u);
}

}  // namespace
