// Test fixtures of the review windows: a fresh program folder with the template database and
// patient 3's capture folders, captures written into them as real files (picture, thumbnail,
// clip) with their photo rows; operator answers scripted; and a recording script in place of
// the media player.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"
#include "platform/ui/testing/MessageBoxRecorder.h"
#include "records/DATABASECONTEXT.h"
#include "review/MediaContext.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/Unprivileged.h"
#include "utility/boxes/OperatorPrompts.h"

namespace reviewtest {

class PatientCaptures {
  public:
    static constexpr int32_t kCustomer = 3;
    // kUnprivileged runs the test as "nobody" when it runs as root, so that permissions hold
    // (tests/support/Unprivileged.h); PermissionsEnforced() says whether they do.
    enum class User { kAsStarted, kUnprivileged };

    explicit PatientCaptures(User user = User::kAsStarted);

    bool PermissionsEnforced() const { return ::geteuid() != 0; }

    DATABASECONTEXT& Store() { return mStore; }
    MediaContext Context() { return {mStore, kCustomer, ImageFolder(), VideoFolder()}; }
    // As the windows get them: ending in '/'.
    std::wstring ImageFolder() const;
    std::wstring VideoFolder() const;
    std::filesystem::path Images() const { return mPatient / "images"; }
    std::filesystem::path Thumbnails() const { return mPatient / "images" / "thumbnail"; }
    std::filesystem::path Videos() const { return mPatient / "videos"; }
    std::filesystem::path Folder() const { return mFolder.Path(); }
    // The full path of picture `name` as the windows hold it.
    std::wstring PicturePath(const std::string& name) const;

    // Writes picture `name` (a small bitmap filled with `color`) and its thumbnail; a name
    // with a "V" also gets its clip, and `row` a photo row of the patient with `comment`.
    void Add(const std::string& name, ui::Color color, bool row = true,
             const std::wstring& comment = L"");
    // What is left of capture `title`: picture, thumbnail, clip, photo row.
    bool HasPicture(const std::string& title) const;
    bool HasThumbnail(const std::string& title) const;
    bool HasClip(const std::string& title) const;
    bool HasRow(const std::wstring& title) { return !Rows(title).empty(); }
    // Every photo row named `title`, read through a connection of its own.
    std::vector<PhotoRecord> Rows(const std::wstring& title);

    // The record store's standard boxes (database errors) are recorded, never shown.
    ui::testing::MessageBoxRecorder& StandardBoxes() { return mStandardBoxes; }

  private:
    testsupport::TestProgramFolder mFolder;
    std::unique_ptr<testsupport::Unprivileged> mUnprivileged;
    ui::testing::MessageBoxRecorder mStandardBoxes;
    DATABASECONTEXT mStore{nullptr};
    std::filesystem::path mPatient;
};

// Records every message and answers questions from a queue (NO when it runs out).
class ScriptedPrompts final : public OperatorPrompts {
  public:
    void ShowMessage(const std::wstring& text) override { said.push_back(text); }
    bool AskYesNo(const std::wstring& text) override;

    std::vector<std::wstring> said;
    std::vector<std::wstring> asked;
    std::deque<bool> answers;
};

// A script in place of the desktop's media player while alive: every start appends its
// arguments, each ended by a zero byte, to a file.
class RecordingPlayer {
  public:
    explicit RecordingPlayer(const std::filesystem::path& folder);
    ~RecordingPlayer();
    RecordingPlayer(const RecordingPlayer&) = delete;
    RecordingPlayer& operator=(const RecordingPlayer&) = delete;

    // The arguments recorded so far, once at least `count` are there (or after a generous
    // deadline, with what there is).
    std::vector<std::string> WaitForArguments(size_t count) const;

  private:
    std::vector<std::string> Recorded() const;
    std::filesystem::path mRecord;
};

}  // namespace reviewtest
