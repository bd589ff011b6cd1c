// The Temp lock and the recovery of an interrupted session's captures, on real files and a real
// database (the second process is in the camera window's tests).
#include "camera/CaptureTempLock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "camera/CaptureRecovery.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/TestProgramFolder.h"

namespace {

namespace fs = std::filesystem;

class CaptureTempLockTest : public ::testing::Test {
  protected:
    fs::path LockFile() const { return mFolder.Path() / "database" / "Temp.lock"; }
    fs::path Temp() const { return mFolder.Path() / "database" / "Temp"; }

    testsupport::TestProgramFolder mFolder;
};

TEST_F(CaptureTempLockTest, OneHolderAtATimeAndTheFileNamesAnUnfinishedSession) {
    CaptureTempLock first(mFolder.WidePath());
    ASSERT_TRUE(first.Acquire());
    EXPECT_FALSE(first.InterruptedSerialNumber());
    ASSERT_TRUE(first.MarkRunning(7));
    EXPECT_EQ(testsupport::ReadFileBytes(LockFile()), "7");

    CaptureTempLock second(mFolder.WidePath());
    EXPECT_FALSE(second.Acquire());
    EXPECT_FALSE(second.Held());

    // The holder goes away without ending properly, as a killed process does.
    first.Release();
    ASSERT_TRUE(second.Acquire());
    EXPECT_EQ(second.InterruptedSerialNumber(), 7);
    second.MarkEnded();
    second.Release();

    CaptureTempLock third(mFolder.WidePath());
    ASSERT_TRUE(third.Acquire());
    EXPECT_FALSE(third.InterruptedSerialNumber());
}

TEST_F(CaptureTempLockTest, ALockFileThatHoldsNoSerialNamesNobody) {
    for (const char* content : {"", "-3", "0", "12a", "99999999999", " 4", "4\n"}) {
        SCOPED_TRACE(content);
        testsupport::WriteFileBytes(LockFile(), content);
        CaptureTempLock lock(mFolder.WidePath());
        ASSERT_TRUE(lock.Acquire());
        EXPECT_FALSE(lock.InterruptedSerialNumber());
    }
}

class CaptureRecoveryTest : public CaptureTempLockTest {
  protected:
    CaptureRecoveryTest() { mStore.DatabaseCreate(); }

    // Leaves two stills in Temp from a session for `serial` that was never ended.
    void LeaveInterruptedSession(int32_t serial) {
        for (const char* name : {"P2403020905071.bmp", "P2403020905082.bmp"}) {
            testsupport::WriteFileBytes(Temp() / "images" / name, "picture");
            testsupport::WriteFileBytes(Temp() / "images/thumbnail" / name, "thumbnail");
        }
        fs::create_directories(Temp() / "videos");
        testsupport::WriteFileBytes(LockFile(), std::to_string(serial));
    }
    bool Recover() {
        EXPECT_TRUE(mLock.Acquire());
        return RecoverInterruptedCaptures(mLock, mStore, mPrompts, mFolder.WidePath());
    }
    std::string Log() const {
        return testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti_LOG.ini");
    }

    ui::testing::MessageBoxRecorder mStandardBoxes;
    DATABASECONTEXT mStore{nullptr};
    cameratest::RecordedPrompts mPrompts;
    CaptureTempLock mLock{mFolder.WidePath()};
};

TEST_F(CaptureRecoveryTest, LeftCapturesAreFiledToTheirPatientAndReported) {
    LeaveInterruptedSession(3);
    EXPECT_TRUE(Recover());
    EXPECT_TRUE(fs::exists(mFolder.Path() / "database/3/images/P2403020905082.bmp"));
    PhotoRecord photo;
    photo.customerSerialNumber = 3;
    photo.name = L"P2403020905071";
    EXPECT_TRUE(mStore.PhotoSelect(photo));
    EXPECT_EQ(mPrompts.messages,
              std::vector<std::wstring>{L"2 captures of an interrupted session were filed."});
    EXPECT_NE(Log().find("RecoverInterruptedCaptures >>\r\nCustomer : [3]\r\nFiled : [2] Kept : "
                         "[0]\r\n"),
              std::string::npos)
        << Log();
}

TEST_F(CaptureRecoveryTest, NothingToRecoverAfterAProperEndOrForAPatientDeletedSince) {
    LeaveInterruptedSession(3);
    testsupport::WriteFileBytes(LockFile(), "");  // the window ended properly
    EXPECT_TRUE(Recover());
    mLock.Release();

    LeaveInterruptedSession(77);  // no such patient: their media went with them
    EXPECT_TRUE(Recover());
    EXPECT_TRUE(mPrompts.messages.empty());
    EXPECT_FALSE(fs::exists(mFolder.Path() / "database/77"));
    EXPECT_NE(Log().find("Customer : [77]\r\nCustomer not found : captures discarded"),
              std::string::npos);
}

TEST_F(CaptureRecoveryTest, CapturesThatCannotBeFiledStayAndTheNewWindowMustNotClearThem) {
    LeaveInterruptedSession(3);
    fs::create_directories(mFolder.Path() / "database/3");
    testsupport::WriteFileBytes(mFolder.Path() / "database/3/images", "not a folder");
    EXPECT_FALSE(Recover());
    EXPECT_TRUE(fs::exists(Temp() / "images/P2403020905071.bmp"));
    EXPECT_EQ(mPrompts.messages,
              std::vector<std::wstring>{L"Captures of an interrupted session could not be filed!"});
    EXPECT_EQ(mLock.InterruptedSerialNumber(), 3);
}

}  // namespace
