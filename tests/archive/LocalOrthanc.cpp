// Running Orthanc for a test binary and asking it what it stored.
#include "tests/archive/LocalOrthanc.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

extern char** environ;

namespace archivetest {

namespace {

constexpr char kOrthanc[] = "/usr/sbin/Orthanc";

int Connect(uint16_t port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

// GET over HTTP/1.0: the status code and the body.
bool HttpGet(uint16_t port, const std::string& path, int& status, std::string& body) {
    const int socket = Connect(port);
    if (socket < 0) {
        return false;
    }
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: localhost\r\n\r\n";
    if (::send(socket, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        ::close(socket);
        return false;
    }
    std::string response;
    char buffer[65536];
    ssize_t count;
    while ((count = ::recv(socket, buffer, sizeof buffer, 0)) > 0) {
        response.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(socket);
    const std::size_t headerEnd = response.find("\r\n\r\n");
    if (response.compare(0, 9, "HTTP/1.1 ") != 0 && response.compare(0, 9, "HTTP/1.0 ") != 0) {
        return false;
    }
    status = std::atoi(response.c_str() + 9);
    body = headerEnd == std::string::npos ? "" : response.substr(headerEnd + 4);
    return true;
}

}  // namespace

uint16_t FreePort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(socket);
    return ntohs(address.sin_port);
}

LocalOrthanc::LocalOrthanc() : mDicomPort(FreePort()), mHttpPort(FreePort()) {
    std::string pattern = std::filesystem::temp_directory_path() / "sorvanti-orthanc-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    mFolder = pattern;
    std::ofstream configuration(mFolder / "orthanc.json");
    configuration << "{\n"
                  << "  \"Name\": \"sorvanti-test\",\n"
                  << "  \"StorageDirectory\": \"" << (mFolder / "storage").string() << "\",\n"
                  << "  \"IndexDirectory\": \"" << (mFolder / "index").string() << "\",\n"
                  << "  \"Plugins\": [],\n"
                  << "  \"DicomAet\": \"" << kAeTitle << "\",\n"
                  << "  \"DicomPort\": " << mDicomPort << ",\n"
                  << "  \"DicomCheckCalledAet\": true,\n"
                  << "  \"HttpPort\": " << mHttpPort << ",\n"
                  << "  \"RemoteAccessAllowed\": false,\n"
                  << "  \"AuthenticationEnabled\": false,\n"
                  << "  \"DicomAlwaysAllowStore\": true,\n"
                  << "  \"DicomAlwaysAllowEcho\": true,\n"
                  << "  \"StorageCompression\": false,\n"
                  << "  \"HttpDescribeErrors\": true\n"
                  << "}\n";
}

LocalOrthanc::~LocalOrthanc() {
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(mFolder, ignored);
}

void LocalOrthanc::Start() {
    ASSERT_EQ(::access(kOrthanc, X_OK), 0)
        << kOrthanc << " is missing: the archive tests need the Debian package orthanc "
        << "(scripts/install-deps.sh installs it)";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = (mFolder / "orthanc.log").string();
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const std::string configuration = (mFolder / "orthanc.json").string();
    char* arguments[] = {const_cast<char*>(kOrthanc), const_cast<char*>(configuration.c_str()),
                         nullptr};
    const int spawned = ::posix_spawn(&mProcess, kOrthanc, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0) << "posix_spawn " << kOrthanc;
    // Orthanc opens its DICOM port before the HTTP one; a generous deadline for a loaded machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int status = 0;
    std::string body;
    while (!HttpGet(mHttpPort, "/system", status, body) || status != 200) {
        int exit = 0;
        ASSERT_EQ(::waitpid(mProcess, &exit, WNOHANG), 0)
            << "Orthanc ended at start-up; its log: " << log;
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "Orthanc never answered";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int dicom = Connect(mDicomPort);
    ASSERT_GE(dicom, 0) << "Orthanc's DICOM port is closed";
    ::close(dicom);
}

void LocalOrthanc::Stop() {
    if (mProcess <= 0) {
        return;
    }
    ::kill(mProcess, SIGTERM);
    int status = 0;
    ::waitpid(mProcess, &status, 0);
    mProcess = -1;
}

std::string LocalOrthanc::Get(const std::string& path) const {
    int status = 0;
    std::string body;
    EXPECT_TRUE(HttpGet(mHttpPort, path, status, body)) << "GET " << path;
    EXPECT_EQ(status, 200) << "GET " << path << ": " << body;
    return body;
}

namespace {

// The JSON string starting at the quote `json[at]`; `at` ends after its closing quote.
std::string ReadString(const std::string& json, std::size_t& at) {
    std::string value;
    for (++at; at < json.size() && json[at] != '"'; ++at) {
        if (json[at] != '\\' || at + 1 >= json.size()) {
            value += json[at];
            continue;
        }
        const char escaped = json[++at];
        if (escaped == 'u' && at + 4 < json.size()) {
            const unsigned code = std::stoul(json.substr(at + 1, 4), nullptr, 16);
            at += 4;
            if (code < 0x80) {
                value += static_cast<char>(code);
            } else if (code < 0x800) {
                value += static_cast<char>(0xC0 | (code >> 6));
                value += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                value += static_cast<char>(0xE0 | (code >> 12));
                value += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                value += static_cast<char>(0x80 | (code & 0x3F));
            }
            continue;
        }
        value += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
    }
    ++at;
    return value;
}

// Where the value of "key" starts (after the colon and spaces), npos when absent.
std::size_t ValueOf(const std::string& json, const std::string& key) {
    const std::size_t found = json.find("\"" + key + "\"");
    if (found == std::string::npos) {
        return found;
    }
    std::size_t at = json.find(':', found + key.size() + 2);
    while (at != std::string::npos && ++at < json.size() && std::isspace(json[at])) {
    }
    return at;
}

}  // namespace

std::string JsonString(const std::string& json, const std::string& key) {
    std::size_t at = ValueOf(json, key);
    if (at == std::string::npos || at >= json.size() || json[at] != '"') {
        return "";
    }
    return ReadString(json, at);
}

std::vector<std::string> JsonStrings(const std::string& json, const std::string& key) {
    std::size_t at = key.empty() ? json.find('[') : ValueOf(json, key);
    std::vector<std::string> strings;
    if (at == std::string::npos || at >= json.size() || json[at] != '[') {
        return strings;
    }
    for (++at; at < json.size() && json[at] != ']'; ++at) {
        if (json[at] == '"') {
            strings.push_back(ReadString(json, at));
            --at;
        }
    }
    return strings;
}

}  // namespace archivetest
