// The mail tests' shared fixture.
#include "tests/review/mail/MailFixture.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <regex>
#include <thread>

#include "platform/sys/Registry.h"

namespace mailtest {
namespace {

std::filesystem::path RecordFile(const std::filesystem::path& script) {
    return script.string() + ".args";
}

std::vector<std::string> SplitAtZeros(const std::string& bytes) {
    std::vector<std::string> parts;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\0', start);
        parts.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

bool RecordedPrompts::AskYesNo(const std::wstring&) {
    ADD_FAILURE() << "no question expected";
    return false;
}

MailFixture::~MailFixture() {
    if (mSavedPath) {
        setenv("PATH", mSavedPath->c_str(), 1);
    }
}

void MailFixture::SetOutlookPath(const std::optional<std::string>& folder) {
    testsupport::WriteFileBytes(
        sys::RegistryFile(),
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
        "Paths\\OUTLOOK.EXE]\n" +
            (folder ? "\"Path\"=\"" + *folder + "\"\n" : std::string()));
}

std::filesystem::path MailFixture::RecordingScript(const std::filesystem::path& folder,
                                                   const std::string& name, int status) {
    const std::filesystem::path script = folder / name;
    const std::string record = RecordFile(script).string();
    // Written under another name and then renamed: the record appears whole or not at all.
    testsupport::WriteFileBytes(script,
                                "#!/bin/sh\n"
                                "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" +
                                    record + ".part'\n/bin/mv '" + record + ".part' '" + record +
                                    "'\nexit " + std::to_string(status) + "\n");
    ::chmod(script.c_str(), 0755);
    return script;
}

std::optional<std::vector<std::string>> MailFixture::Recorded(const std::filesystem::path& script,
                                                              bool wait) {
    const std::filesystem::path record = RecordFile(script);
    if (!(wait ? WaitUntilExists(record) : std::filesystem::exists(record))) {
        return std::nullopt;
    }
    return SplitAtZeros(testsupport::ReadFileBytes(record));
}

bool MailFixture::WaitUntilExists(const std::filesystem::path& path) {
    using Clock = std::chrono::steady_clock;
    for (const auto end = Clock::now() + std::chrono::seconds(30);
         !std::filesystem::exists(path) && Clock::now() < end;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::filesystem::exists(path);
}

void MailFixture::PrependToPath(const std::filesystem::path& folder) {
    const char* path = getenv("PATH");
    SetPath(folder.string() + ":" + (path ? path : ""));
}

void MailFixture::ReplacePath(const std::filesystem::path& folder) {
    SetPath(folder.string());
}

void MailFixture::SetPath(const std::string& path) {
    if (!mSavedPath) {
        const char* saved = getenv("PATH");
        mSavedPath = saved ? saved : "";
    }
    setenv("PATH", path.c_str(), 1);
}

std::string MailFixture::MaskedLog() const {
    static const std::regex kTimeLine("(^|\n)\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}\r\n");
    return std::regex_replace(testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti_LOG.ini"),
                              kTimeLine, "$1<time>\r\n");
}

std::string LogLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + "\r\n";
    }
    return joined;
}

}  // namespace mailtest
