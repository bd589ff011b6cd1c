// A record store on a fresh database in a temporary program folder, with its message boxes
// recorded.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ListBox.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "tests/support/TestProgramFolder.h"

class RecordStoreTest : public ::testing::Test {
  protected:
    RecordStoreTest();

    std::filesystem::path DatabasePath() const;
    std::vector<std::wstring> ListAll();
    std::vector<std::wstring> Search(const std::wstring& text);
    static CustomerRecord Customer(const std::wstring& pid, const std::wstring& name);

    testsupport::TestProgramFolder mFolder;
    ui::testing::MessageBoxRecorder mBoxes;
    std::unique_ptr<DATABASECONTEXT> mStore;
};
