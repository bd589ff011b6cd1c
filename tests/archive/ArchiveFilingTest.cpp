// Filing with the archive hook: what is queued, that nothing reaches the network on the
// filing's (the UI) thread, and that without the registry key nothing changes.
#include "archive/ArchiveFilingObserver.h"
#include "tests/archive/ArchiveFilingFixture.h"
#include "tests/archive/SilentListener.h"

namespace {

namespace fs = std::filesystem;

class ArchiveFilingTest : public archivetest::ArchiveFilingFixture {};

TEST_F(ArchiveFilingTest, FilingQueuesEveryPictureWithThePatientsTextsAndTouchesNoNetwork) {
    archivetest::SilentListener archive;
    archivetest::WriteArchiveRegistry("127.0.0.1", archive.Port(), "ARCHIVE");
    const int32_t serial = AddPatient(L"A-17", L"Zo\u00eb O'Neil \u738b", L"3/7/2016");
    Capture("V2512101430171");
    Capture("P2512101430152");
    Capture("P2512101430143");
    ASSERT_TRUE(mStore.PhotoInsert({0, serial, L"P2512101430152", L"12/10/2025", L"left eye"}));

    EXPECT_EQ(File(serial), 3);

    EXPECT_FALSE(archive.SomeoneConnected());
    const auto pending = mQueue.Pending();
    ASSERT_EQ(pending.size(), 3u);
    // By time: the session is named after the first capture.
    const char* captures[] = {"P2512101430143", "P2512101430152", "V2512101430171"};
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const ArchiveItem& item = pending[i].item;
        EXPECT_EQ(item.captureName, captures[i]);
        EXPECT_EQ(item.customerSerialNumber, serial);
        EXPECT_EQ(item.pid, "A-17");
        EXPECT_EQ(item.patientName, "Zo\xc3\xab O'Neil \xe7\x8e\x8b");
        EXPECT_EQ(item.visitFirst, "3/7/2016");
        EXPECT_EQ(item.session, "P2512101430143");
        EXPECT_EQ(item.cameraName, "USB Camera (VID_1234&PID_5678)");
        EXPECT_EQ(item.cameraIdentity, "1234 5678-CAM00001");
        EXPECT_EQ(item.comment, i == 1 ? "left eye" : "");
    }
}

// The items ride on the filing's own flush: queued exactly when every capture arrived; otherwise
// (or when another writer took the batch's name meanwhile) the filed ones are queued on their
// own, and the captures that stayed in Temp are not.
TEST_F(ArchiveFilingTest, FilingsThatDoNotNameTheirRecordQueueWhatWasFiledOnTheirOwn) {
    archivetest::WriteArchiveRegistry("127.0.0.1", 104, "ARCHIVE");
    const int32_t serial = AddPatient(L"A-19", L"Mo", L"1/1/2020");
    const auto pendingNames = [&] {
        std::vector<std::string> names;
        for (const QueuedItem& queued : mQueue.Pending()) {
            names.push_back(queued.item.captureName);
        }
        return names;
    };
    const auto leftovers = [&] {
        int hidden = 0;
        for (const auto& entry :
             fs::directory_iterator(ArchiveQueue::DefaultFolder() / "pending")) {
            hidden += entry.path().filename().string().front() == '.';
        }
        return hidden;
    };

    // A different picture of the same name in the patient's folder: that capture stays in Temp.
    Capture("P2512101430151");
    Capture("P2512101430162");
    testsupport::WriteFileBytes(
        mFolder.Path() / "database" / std::to_string(serial) / "images" / "P2512101430162.bmp",
        "another picture");
    EXPECT_EQ(File(serial), 1);
    EXPECT_EQ(pendingNames(), std::vector<std::string>{"P2512101430151"});
    EXPECT_EQ(leftovers(), 0);

    // Another writer queues between the filing's preparing and naming its record.
    struct Intruder final : CaptureFilingObserver {
        ArchiveFilingObserver& inner;
        ArchiveQueue& queue;
        Intruder(ArchiveFilingObserver& observer, ArchiveQueue& other)
            : inner(observer), queue(other) {}
        std::optional<FilingRecord> CapturesStaged(
            int32_t serial, const std::vector<std::wstring>& titles) override {
            auto record = inner.CapturesStaged(serial, titles);
            std::string error;
            EXPECT_TRUE(queue.Enqueue({archivetest::Item(99, "P2512101430170")}, error));
            return record;
        }
        void CapturesFiled(int32_t serial, const std::vector<std::wstring>& titles,
                           bool named) override {
            EXPECT_FALSE(named);
            inner.CapturesFiled(serial, titles, named);
        }
    };
    ArchiveFilingObserver observer(mStore, mQueue, L"camera", L"");
    Intruder intruder(observer, mQueue);
    Capture("P2512101430183");
    CaptureFiling filing(mStore, mPrompts, mFolder.WidePath());
    filing.SetObserver(&intruder);
    EXPECT_EQ(filing.FileTemp(serial).filed, 1);
    EXPECT_EQ(pendingNames(),
              (std::vector<std::string>{"P2512101430151", "P2512101430170", "P2512101430183"}));
    EXPECT_EQ(leftovers(), 0);
}

// The filing goes on when the queue cannot be written; the diagnostic log says why.
TEST_F(ArchiveFilingTest, AQueueThatCannotBeWrittenFilesAllAndLogsTheReason) {
    archivetest::WriteArchiveRegistry("127.0.0.1", 104, "ARCHIVE");
    testsupport::WriteFileBytes(ArchiveQueue::DefaultFolder(), "a file where the folder goes");
    const int32_t serial = AddPatient(L"A-20", L"Mo", L"1/1/2020");
    Capture("P2512101430151");
    Capture("P2512101430152");

    EXPECT_EQ(File(serial), 2);

    const std::string log = testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti_LOG.ini");
    EXPECT_NE(
        log.find("Archive >>\r\ncaptures of patient " + std::to_string(serial) + " not queued: "),
        std::string::npos)
        << log;
}

TEST_F(ArchiveFilingTest, WithoutTheKeyFilingIsAsBeforeAndNothingIsQueued) {
    const int32_t serial = AddPatient(L"A-18", L"Nobody", L"1/1/2020");
    Capture("P2512101430151");
    bool identityAsked = false;
    ArchiveFilingHook hook(mStore, L"camera",
                           [&] {
                               identityAsked = true;
                               return std::wstring();
                           },
                           {});
    EXPECT_EQ(hook.Observer(), nullptr);
    EXPECT_FALSE(identityAsked);
    EXPECT_EQ(File(serial), 1);
    EXPECT_FALSE(fs::exists(ArchiveQueue::DefaultFolder()));
}

}  // namespace
