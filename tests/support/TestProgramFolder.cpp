#include "tests/support/TestProgramFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>

#include "platform/fs/ProgramFolder.h"
#include "platform/text/Text.h"

namespace testsupport {

TestProgramFolder::TestProgramFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sorvanti-test-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    mPath = pattern;
    program::testing::SetFolder(mPath);
    setenv("ODBCINI", (mPath / "odbc.ini").c_str(), 1);
}

TestProgramFolder::~TestProgramFolder() {
    program::testing::ResetFolder();
    unsetenv("ODBCINI");
    std::error_code ignored;
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(mPath, ignored);
}

std::wstring TestProgramFolder::WidePath() const {
    return text::FromPath(mPath);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace testsupport
