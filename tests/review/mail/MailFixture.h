// What the mail tests share: a temporary program folder, a registry file naming the mail
// client's folder, programs replaced by scripts that record their arguments, scripted operator
// prompts, and the log read back with its time lines masked.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/TestProgramFolder.h"
#include "utility/boxes/OperatorPrompts.h"

namespace mailtest {

// Records every message; a question is a test failure (the mail steps ask none).
class RecordedPrompts final : public OperatorPrompts {
  public:
    void ShowMessage(const std::wstring& text) override { said.push_back(text); }
    bool AskYesNo(const std::wstring& text) override;

    std::vector<std::wstring> said;
};

class MailFixture : public ::testing::Test {
  protected:
    ~MailFixture() override;

    // Writes the registry file with the mail client's "Path" set to `folder` (written as is);
    // nullopt writes the key without the value.
    void SetOutlookPath(const std::optional<std::string>& folder);

    // A script `folder`/`name` that records its arguments (each ended by a zero byte) and exits
    // with `status`.
    std::filesystem::path RecordingScript(const std::filesystem::path& folder,
                                          const std::string& name, int status = 0);
    // The arguments `script` recorded, waiting up to 30 s for it to have run; nullopt when it
    // has not. When it must not have run, pass `wait` false: the check is then immediate.
    std::optional<std::vector<std::string>> Recorded(const std::filesystem::path& script,
                                                     bool wait = true);

    // Whether `path` exists, waiting up to 30 s for it to appear.
    static bool WaitUntilExists(const std::filesystem::path& path);

    // Puts `folder` first on PATH, or makes it the whole PATH, until the test ends.
    void PrependToPath(const std::filesystem::path& folder);
    void ReplacePath(const std::filesystem::path& folder);

    // The diagnostic log's bytes, each time line ("YYYY/MM/DD hh:mm:ss") replaced by "<time>".
    std::string MaskedLog() const;

    std::string Folder() const { return mFolder.Path().string(); }

    testsupport::TestProgramFolder mFolder;
    RecordedPrompts mPrompts;

  private:
    void SetPath(const std::string& path);

    std::optional<std::string> mSavedPath;
};

// The lines joined, each ended by CR LF, as the log holds them.
std::string LogLines(const std::vector<std::string>& lines);

}  // namespace mailtest
