// The archive's queue, item text, UIDs and settings without an archive: what survives on disk,
// in what order, and what a hostile file or registry value does.
#include "archive/ArchiveQueue.h"

#include <gtest/gtest.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

#include "archive/ArchiveItemText.h"
#include "archive/ArchivePassLog.h"
#include "archive/ArchiveSettings.h"
#include "archive/ArchiveUids.h"
#include "archive/CaptureDicom.h"
#include "platform/sys/Registry.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/support/TestProgramFolder.h"

namespace {

namespace fs = std::filesystem;
using archivetest::Item;

class ArchiveQueueTest : public ::testing::Test {
  protected:
    std::vector<std::string> PendingCaptures() const {
        std::vector<std::string> names;
        for (const QueuedItem& queued : mQueue.Pending()) {
            names.push_back(queued.item.captureName);
        }
        return names;
    }
    std::string FirstPendingId() const { return mQueue.Pending().at(0).id; }

    testsupport::TestProgramFolder mFolder;
    ArchiveQueue mQueue{ArchiveQueue::DefaultFolder()};
    std::string mError;
};

TEST_F(ArchiveQueueTest, ItemTextKeepsEveryFieldWhateverItHolds) {
    ArchiveItem item = Item(7, "V2512101430159");
    item.patientName = "O'Brien \xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e\\=^";
    item.comment = "line one\nline two\r\n\\n is not a line end\\";
    item.cameraName = "a=b";
    item.session = "P2512101430151";
    item.version = 3;
    const auto read = ItemFromText(ItemToText(item));
    ASSERT_TRUE(read.has_value());
    for (const auto field :
         {&ArchiveItem::pid, &ArchiveItem::patientName, &ArchiveItem::visitFirst,
          &ArchiveItem::captureName, &ArchiveItem::cameraName, &ArchiveItem::cameraIdentity,
          &ArchiveItem::comment, &ArchiveItem::session}) {
        EXPECT_EQ((*read).*field, item.*field);
    }
    EXPECT_EQ(read->customerSerialNumber, 7);
    EXPECT_EQ(read->version, 3);
}

TEST_F(ArchiveQueueTest, ItemTextWithoutAUsableSerialOrCaptureNameIsUnreadable) {
    for (const char* text :
         {"", "serial=4\n", "capture=P2512101430151\n", "serial=0\ncapture=P2512101430151\n",
          "serial=-3\ncapture=P2512101430151\n", "serial=4x\ncapture=P2512101430151\n",
          "serial=99999999999\ncapture=P2512101430151\n", "serial=4\ncapture=../../etc/passwd\n",
          "serial=4\ncapture=X2512101430151\n", "serial=4\ncapture=P251210143015\n",
          "serial=4\nversion=-1\ncapture=P2512101430151\n",
          "serial=4\nversion=x\ncapture=P2512101430151\n"}) {
        EXPECT_FALSE(ItemFromText(text).has_value()) << text;
    }
}

TEST_F(ArchiveQueueTest, ItemsWaitInTheOrderTheyWereQueuedAcrossCalls) {
    ASSERT_TRUE(mQueue.Enqueue({Item(4, "P2512101430152"), Item(4, "P2512101430151")}, mError));
    ASSERT_TRUE(mQueue.Enqueue({Item(5, "P2512101430150")}, mError));
    EXPECT_EQ(PendingCaptures(),
              (std::vector<std::string>{"P2512101430152", "P2512101430151", "P2512101430150"}));
    // Nothing half-written is left beside them.
    for (const auto& entry : fs::directory_iterator(ArchiveQueue::DefaultFolder() / "pending")) {
        EXPECT_EQ(entry.path().extension(), ".item") << entry.path();
    }
}

TEST_F(ArchiveQueueTest, ABatchUnpackedHalfwayBeforeACrashGivesEachItemOnce) {
    ASSERT_TRUE(mQueue.Enqueue({Item(4, "P2512101430151"), Item(4, "P2512101430152")}, mError));
    const fs::path pending = ArchiveQueue::DefaultFolder() / "pending";
    // The first item was unpacked, a temporary file half-written, and the batch not yet removed.
    testsupport::WriteFileBytes(pending / "000000000001-0000-4-P2512101430151.item",
                                ItemToText(Item(4, "P2512101430151")));
    testsupport::WriteFileBytes(pending / ".000000000001-0000-4-P2512101430152.item.tmp", "ser");
    EXPECT_EQ(PendingCaptures(), (std::vector<std::string>{"P2512101430151", "P2512101430152"}));
    EXPECT_FALSE(fs::exists(pending / "000000000001.batch"));
    ASSERT_TRUE(mQueue.Enqueue({Item(4, "P2512101430153")}, mError));
    EXPECT_EQ(PendingCaptures().back(), "P2512101430153");
}

TEST_F(ArchiveQueueTest, AnUnreadableFileIsListedWithItsNameNotDropped) {
    ASSERT_TRUE(mQueue.Enqueue({Item(4, "P2512101430151")}, mError));
    testsupport::WriteFileBytes(ArchiveQueue::DefaultFolder() / "pending" / "000000000002-x.item",
                                "garbage\n");
    const auto pending = mQueue.Pending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_TRUE(pending[0].readable);
    EXPECT_FALSE(pending[1].readable);
    EXPECT_EQ(pending[1].id, "000000000002-x.item");
    EXPECT_FALSE(mQueue.MarkSent(pending[1].id, mError));
}

TEST_F(ArchiveQueueTest, SentItemsLeaveWithTheirReasonAndResendQueuesThemAgainAfterTheRest) {
    ASSERT_TRUE(mQueue.Enqueue(
        {Item(4, "P2512101430151"), Item(4, "P2512101430152"), Item(5, "P2512101430153")}, mError));
    ASSERT_TRUE(mQueue.SetReason(FirstPendingId(), "refused", mError));
    EXPECT_EQ(mQueue.Pending().at(0).reason, "refused");
    ASSERT_TRUE(mQueue.MarkSent(FirstPendingId(), mError));
    ASSERT_TRUE(mQueue.MarkSent(FirstPendingId(), mError));
    EXPECT_EQ(PendingCaptures(), std::vector<std::string>{"P2512101430153"});
    EXPECT_EQ(mQueue.Sent().size(), 2u);

    EXPECT_EQ(mQueue.Resend(4, mError), 2);
    EXPECT_EQ(PendingCaptures(),
              (std::vector<std::string>{"P2512101430153", "P2512101430151", "P2512101430152"}));
    EXPECT_TRUE(mQueue.Pending().at(1).reason.empty());
    EXPECT_TRUE(mQueue.Sent().empty());
    EXPECT_EQ(mQueue.Resend(9, mError), 0);
}

TEST_F(ArchiveQueueTest, AFolderThatCannotBeMadeFailsTheEnqueueWithTheReason) {
    testsupport::WriteFileBytes(ArchiveQueue::DefaultFolder(), "a file where the folder goes");
    EXPECT_FALSE(mQueue.Enqueue({Item(4, "P2512101430151")}, mError));
    EXPECT_NE(mError.find("archive"), std::string::npos) << mError;
}

// The program's filing, its sender and the command-line tool may all write the queue at once.
TEST_F(ArchiveQueueTest, WritersAndReadersAtOnceLoseNothingAndLeaveNoTemporaryFile) {
    constexpr int kPerWriter = 40;
    std::atomic<int> failures{0};
    const auto write = [&](int32_t serial) {
        ArchiveQueue queue(ArchiveQueue::DefaultFolder());
        for (int i = 0; i < kPerWriter; ++i) {
            std::string error;
            char name[16];
            std::snprintf(name, sizeof name, "P251210%06d1", i);
            if (!queue.Enqueue({Item(serial, name)}, error)) {
                ++failures;
                ADD_FAILURE() << error;
            }
            queue.Pending();
        }
    };
    std::thread first(write, 4);
    std::thread second(write, 5);
    first.join();
    second.join();

    EXPECT_EQ(failures, 0);
    std::set<std::pair<int32_t, std::string>> captures;
    for (const QueuedItem& queued : mQueue.Pending()) {
        EXPECT_TRUE(queued.readable) << queued.id;
        captures.insert({queued.item.customerSerialNumber, queued.item.captureName});
    }
    EXPECT_EQ(captures.size(), 2u * kPerWriter);
    for (const auto& entry : fs::directory_iterator(ArchiveQueue::DefaultFolder() / "pending")) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
}

TEST(ArchivePassLogTest, TheLogGetsChangesOfTheArchivesStateNotEveryRetry) {
    std::vector<std::string> lines;
    ArchivePassLog log([&](const std::string& line) { lines.push_back(line); });
    const auto pass = [](int sent, int waiting, const char* error) {
        return SendPassResult{sent, waiting, true, error};
    };
    const struct {
        SendPassResult result;
        const char* logged;  // null: nothing
    } passes[] = {
        {pass(3, 0, ""), nullptr},
        {pass(0, 2, "association with A@h:104: refused"),
         "2 waiting: association with A@h:104: refused"},
        {pass(0, 2, "association with A@h:104: refused"), nullptr},
        {pass(0, 3, "association with A@h:104: refused"), nullptr},
        {pass(0, 3, ""), nullptr},  // stopped by the program's end
        {pass(1, 2, "C-STORE refused with status 0xA700"),
         "2 waiting: C-STORE refused with status 0xA700"},
        {pass(2, 0, ""), "sending again: 2 sent, nothing waiting"},
        {pass(1, 0, ""), nullptr},
    };
    for (const auto& p : passes) {
        lines.clear();
        log(p.result);
        EXPECT_EQ(lines, p.logged ? std::vector<std::string>{p.logged} : std::vector<std::string>{})
            << p.result.waiting << " " << p.result.lastError;
    }
}

TEST(ArchiveUidTest, SameCaptureSameInstanceAndSessionsMakeStudies) {
    const ArchiveItem first = Item(4, "P2512101430151");
    ArchiveItem second = Item(4, "P2512101430152");
    second.session = first.session;
    ArchiveItem otherPatient = Item(5, "P2512101430151");
    otherPatient.session = first.session;
    ArchiveItem edited = first;
    edited.comment = "edited";
    edited.patientName = "renamed";

    EXPECT_EQ(InstanceUid(first), InstanceUid(edited));
    ArchiveItem version = first;
    version.version = 1;
    EXPECT_NE(InstanceUid(first), InstanceUid(version));
    EXPECT_EQ(SeriesUid(first), SeriesUid(version));
    EXPECT_NE(InstanceUid(first), InstanceUid(second));
    EXPECT_NE(InstanceUid(first), InstanceUid(otherPatient));
    EXPECT_EQ(StudyUid(first), StudyUid(second));
    EXPECT_EQ(SeriesUid(first), SeriesUid(second));
    EXPECT_NE(StudyUid(first), SeriesUid(first));
    EXPECT_NE(StudyUid(first), StudyUid(otherPatient));

    std::set<std::string> seen;
    for (const std::string& uid : {InstanceUid(first), InstanceUid(second), StudyUid(first),
                                   SeriesUid(first), DerivedUid(""), DerivedUid("x")}) {
        EXPECT_TRUE(seen.insert(uid).second) << uid;
        EXPECT_LE(uid.size(), 64u);
        EXPECT_EQ(uid.rfind("2.25.", 0), 0u);
        EXPECT_TRUE(uid.size() == 6 || uid[5] != '0') << uid;
        EXPECT_EQ(uid.find_first_not_of("0123456789."), std::string::npos) << uid;
    }
}

TEST(ArchiveSettingsTest, TheKeyTurnsTheFeatureOnOnlyWhenUsable) {
    struct Case {
        const char* values;
        bool on;
        const char* problem;
    };
    const Case cases[] = {
        {"", false, ""},
        {"\"Port\"=\"104\"\r\n\"CalledAE\"=\"A\"\r\n", false, ""},
        {"\"Host\"=\"pacs\"\r\n\"CalledAE\"=\"ARCHIVE\"\r\n", true, ""},
        {"\"Host\"=\"pacs\"\r\n\"Port\"=\"0\"\r\n\"CalledAE\"=\"A\"\r\n", false, "Port"},
        {"\"Host\"=\"pacs\"\r\n\"Port\"=\"65536\"\r\n\"CalledAE\"=\"A\"\r\n", false, "Port"},
        {"\"Host\"=\"pacs\"\r\n\"Port\"=\"10 4\"\r\n\"CalledAE\"=\"A\"\r\n", false, "Port"},
        {"\"Host\"=\"pacs\"\r\n", false, "AE title"},
        {"\"Host\"=\"pacs\"\r\n\"CalledAE\"=\"SEVENTEEN_LETTERS\"\r\n", false, "AE title"},
        {"\"Host\"=\"pacs\"\r\n\"CalledAE\"=\"A\"\r\n\"CallingAE\"=\"\"\r\n", false, "AE title"},
        {"\"Host\"=\"pacs\"\r\n\"CalledAE\"=\"A\\\\B\"\r\n", false, "AE title"},
    };
    for (const Case& c : cases) {
        testsupport::TestProgramFolder folder;
        testsupport::WriteFileBytes(sys::RegistryFile(),
                                    std::string("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sorvanti\\Archive]"
                                                "\r\n") +
                                        c.values);
        std::string problem;
        const auto settings = ReadArchiveSettings(problem);
        EXPECT_EQ(settings.has_value(), c.on) << c.values;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.values << ": " << problem;
        EXPECT_EQ(problem.empty(), std::string(c.problem).empty()) << c.values;
    }
    testsupport::TestProgramFolder folder;
    archivetest::WriteArchiveRegistry("pacs", 11112, "ARCHIVE", "ME");
    testsupport::WriteFileBytes(
        sys::RegistryFile(),
        testsupport::ReadFileBytes(sys::RegistryFile()) + "\"ResendChangedComments\"=\"1\"\r\n");
    std::string problem;
    const auto settings = ReadArchiveSettings(problem);
    ASSERT_TRUE(settings.has_value()) << problem;
    EXPECT_EQ(settings->host, "pacs");
    EXPECT_EQ(settings->port, 11112);
    EXPECT_EQ(settings->calledAe, "ARCHIVE");
    EXPECT_EQ(settings->callingAe, "ME");
    EXPECT_TRUE(settings->resendChangedComments);
}

TEST(CaptureDicomTest, AMissingOrBrokenPictureIsAnErrorThatNamesIt) {
    testsupport::TestProgramFolder folder;
    const ArchiveItem item = Item(4, "P2512101430151");
    const fs::path picture = FiledPicturePath(folder.Path(), item);
    std::string error;
    EXPECT_EQ(BuildCaptureDataset(item, picture, error), nullptr);
    EXPECT_NE(error.find(picture.string()), std::string::npos) << error;

    for (const std::string& bytes :
         {std::string("BM not a bitmap"), archivetest::Bitmap(8, 8, 1).substr(0, 80)}) {
        testsupport::WriteFileBytes(picture, bytes);
        error.clear();
        EXPECT_EQ(BuildCaptureDataset(item, picture, error), nullptr);
        EXPECT_FALSE(error.empty());
    }
}

TEST(CaptureDicomTest, PixelsAreTheBitmapsAsEightBitRgb) {
    testsupport::TestProgramFolder folder;
    const ArchiveItem item = Item(4, "P2512101430151");
    archivetest::FilePicture(item, 5, 3);
    std::string error;
    const auto dataset = BuildCaptureDataset(item, FiledPicturePath(folder.Path(), item), error);
    ASSERT_NE(dataset, nullptr) << error;
    Uint16 rows = 0, columns = 0, samples = 0, bits = 0;
    OFString photometric;
    dataset->findAndGetUint16(DCM_Rows, rows);
    dataset->findAndGetUint16(DCM_Columns, columns);
    dataset->findAndGetUint16(DCM_SamplesPerPixel, samples);
    dataset->findAndGetUint16(DCM_BitsAllocated, bits);
    dataset->findAndGetOFString(DCM_PhotometricInterpretation, photometric);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(columns, 5);
    EXPECT_EQ(samples, 3);
    EXPECT_EQ(bits, 8);
    EXPECT_EQ(photometric, "RGB");
    // The bottom row of the file is the top row of the image; BMP stores blue, green, red.
    const std::string bitmap = archivetest::Bitmap(5, 3, '1');
    const Uint8* pixels = nullptr;
    unsigned long count = 0;
    ASSERT_TRUE(dataset->findAndGetUint8Array(DCM_PixelData, pixels, &count).good());
    ASSERT_GE(count, 5u * 3u * 3u);
    const std::size_t topRow = 54 + 2 * 16;  // stride 16 bytes, top row stored last
    EXPECT_EQ(pixels[0], static_cast<Uint8>(bitmap[topRow + 2]));
    EXPECT_EQ(pixels[1], static_cast<Uint8>(bitmap[topRow + 1]));
    EXPECT_EQ(pixels[2], static_cast<Uint8>(bitmap[topRow + 0]));
}

}  // namespace
