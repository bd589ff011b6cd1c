// The review windows' test fixtures.
#include "tests/review/PatientCaptures.h"

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "platform/odbc/Connection.h"
#include "platform/odbc/Cursor.h"
#include "platform/sys/CommandInterpreter.h"
#include "platform/text/Text.h"
#include "utility/bitmaps/Bitmaps.h"

namespace reviewtest {

PatientCaptures::PatientCaptures(User user)
    : mUnprivileged(user == User::kUnprivileged
                        ? std::make_unique<testsupport::Unprivileged>(mFolder.Path())
                        : nullptr),
      mPatient(mFolder.Path() / "database" / "3") {
    mStore.DatabaseCreate();
    std::filesystem::create_directories(Thumbnails());
    std::filesystem::create_directories(Videos());
}

std::wstring PatientCaptures::ImageFolder() const {
    return text::FromPath(Images()) + L"/";
}

std::wstring PatientCaptures::VideoFolder() const {
    return text::FromPath(Videos()) + L"/";
}

std::wstring PatientCaptures::PicturePath(const std::string& name) const {
    return ImageFolder() + text::FromUtf8(name);
}

void PatientCaptures::Add(const std::string& name, ui::Color color, bool row,
                          const std::wstring& comment) {
    const ui::Bitmap picture(64, 36, color);
    EXPECT_TRUE(UTILITY_SaveBitmapFile(picture, text::FromPath(Images() / name)));
    EXPECT_TRUE(UTILITY_SaveBitmapFile(picture, text::FromPath(Thumbnails() / name)));
    const std::string title = std::filesystem::path(name).stem().string();
    if (title.find('V') != std::string::npos) {
        testsupport::WriteFileBytes(Videos() / (title + ".avi"), "RIFF clip of " + title);
    }
    if (row) {
        EXPECT_TRUE(
            mStore.PhotoInsert({0, kCustomer, text::FromUtf8(title), L"12/31/2015", comment}));
    }
}

bool PatientCaptures::HasPicture(const std::string& title) const {
    return std::filesystem::exists(Images() / (title + ".bmp"));
}

bool PatientCaptures::HasThumbnail(const std::string& title) const {
    return std::filesystem::exists(Thumbnails() / (title + ".bmp"));
}

bool PatientCaptures::HasClip(const std::string& title) const {
    return std::filesystem::exists(Videos() / (title + ".avi"));
}

std::vector<PhotoRecord> PatientCaptures::Rows(const std::wstring& title) {
    odbc::Connection connection;
    connection.Open(L"MedicalRecord");
    odbc::Cursor cursor(connection);
    const odbc::Parameter name[] = {title};
    cursor.Open(L"SELECT * FROM photo_table WHERE PHOTO_NAME = ?", name);
    std::vector<PhotoRecord> rows;
    for (; !cursor.IsEOF(); cursor.MoveNext()) {
        rows.push_back({std::stoi(cursor.GetText(L"PHOTO_SERIAL_NUMBER")),
                        std::stoi(cursor.GetText(L"CUSTOMER_SERIAL_NUMBER")),
                        cursor.GetText(L"PHOTO_NAME"), cursor.GetText(L"PHOTO_DATE"),
                        cursor.GetText(L"PHOTO_COMMENT")});
    }
    return rows;
}

bool ScriptedPrompts::AskYesNo(const std::wstring& text) {
    asked.push_back(text);
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

RecordingPlayer::RecordingPlayer(const std::filesystem::path& folder)
    : mRecord(folder / "player-arguments") {
    const std::filesystem::path script = folder / "player.sh";
    testsupport::WriteFileBytes(script,
                                "#!/bin/sh\nprintf '%s\\0' \"$@\" >> '" + mRecord.string() + "'\n");
    ::chmod(script.c_str(), 0755);
    sys::testing::SetProgramAlias(L"wmplayer", text::FromPath(script));
}

RecordingPlayer::~RecordingPlayer() {
    sys::testing::ResetProgramAliases();
}

std::vector<std::string> RecordingPlayer::Recorded() const {
    std::vector<std::string> arguments;
    const std::string bytes = testsupport::ReadFileBytes(mRecord);
    for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
         start = end + 1) {
        arguments.push_back(bytes.substr(start, end - start));
    }
    return arguments;
}

std::vector<std::string> RecordingPlayer::WaitForArguments(size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Recorded().size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Recorded();
}

}  // namespace reviewtest
