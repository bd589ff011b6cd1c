// A patient in a real record store and the camera window's filing with the archive hook, as
// CDlgCamera runs it: captures (real BMPs) put in Temp are filed and, when the archive is
// configured, queued.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "archive/ArchiveFilingHook.h"
#include "archive/ArchiveQueue.h"
#include "camera/CaptureFiling.h"
#include "platform/text/Text.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/camera/CameraTestSupport.h"
#include "tests/support/TestProgramFolder.h"

namespace archivetest {

class ArchiveFilingFixture : public ::testing::Test {
  protected:
    ArchiveFilingFixture() { mStore.DatabaseCreate(); }

    // Inserts a patient and returns its serial number.
    int32_t AddPatient(const std::wstring& pid, const std::wstring& name,
                       const std::wstring& visitFirst) {
        CustomerRecord record;
        record.pid = pid;
        record.name = name;
        record.visitFirst = visitFirst;
        EXPECT_TRUE(mStore.CustomerInsert(record));
        EXPECT_TRUE(mStore.CustomerSelectInserted(record));
        return record.serialNumber;
    }
    // A capture in Temp: its picture and thumbnail.
    void Capture(const std::string& title, int width = 64, int height = 48) {
        const auto temp = mFolder.Path() / "database" / "Temp" / "images";
        const std::string picture = Bitmap(width, height, title.back());
        testsupport::WriteFileBytes(temp / (title + ".bmp"), picture);
        testsupport::WriteFileBytes(temp / "thumbnail" / (title + ".bmp"), picture);
    }
    // Files Temp for `serial` as the camera window does; returns the captures filed.
    int File(int32_t serial) {
        ArchiveFilingHook hook(mStore, L"USB Camera (VID_1234&PID_5678)",
                               [] { return std::wstring(L"1234 5678-CAM00001"); }, {});
        CaptureFiling filing(mStore, mPrompts, mFolder.WidePath());
        filing.SetObserver(hook.Observer());
        return filing.FileTemp(serial).filed;
    }

    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mStandardBoxes;
    DATABASECONTEXT mStore{nullptr};
    cameratest::RecordedPrompts mPrompts;
    ArchiveQueue mQueue{ArchiveQueue::DefaultFolder()};
};

}  // namespace archivetest
