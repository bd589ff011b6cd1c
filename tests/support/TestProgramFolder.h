// A temporary program folder for one test: Folder() points at it, ODBCINI points at a file in
// it (so data sources are registered there, not in the user's home), and it is removed with
// everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TestProgramFolder {
  public:
    TestProgramFolder();
    ~TestProgramFolder();
    TestProgramFolder(const TestProgramFolder&) = delete;
    TestProgramFolder& operator=(const TestProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    // The folder as the program's wide text, without a trailing separator.
    std::wstring WidePath() const;

  private:
    std::filesystem::path mPath;
};

// Whole-file helpers for assertions.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testsupport
