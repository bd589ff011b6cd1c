// Runs the server's programs (initdb, pg_ctl, psql) as its user and registers data sources
// for its databases.
#include "tests/support/PostgresServer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <odbcinst.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <vector>

extern char** environ;

namespace testsupport {
namespace {

const std::filesystem::path kServerPrograms = "/usr/lib/postgresql/15/bin";
constexpr char kRole[] = "sorvanti";
constexpr char kServerUser[] = "postgres";
constexpr char kDriver[] = "PostgreSQL Unicode";
constexpr char kSharedFolderVariable[] = "SORVANTI_TEST_PG_FOLDER";

bool IsRoot() {
    return ::geteuid() == 0;
}

// Runs `argv` with its output appended to `log`; its exit status, -1 when it cannot start.
int Spawn(const std::vector<std::string>& argv, const std::filesystem::path& log) {
    std::vector<char*> pointers;
    for (const std::string& argument : argv) {
        pointers.push_back(const_cast<char*>(argument.c_str()));
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t child = -1;
    const int started =
        posix_spawnp(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The test program's server: adopted from CTest, or started here on first use and removed
// when the program ends.
struct SharedServer {
    std::unique_ptr<PostgresServer> server;
    bool owned = false;
    std::string failure;  // empty when the server runs

    bool Begin() {
        if (const char* folder = std::getenv(kSharedFolderVariable); folder && *folder) {
            server = std::make_unique<PostgresServer>(folder);
            if (!std::filesystem::exists(server->Folder() / "data" / "postmaster.pid")) {
                failure = std::string("the server CTest starts is not running in ") + folder;
            }
            return failure.empty();
        }
        server = std::make_unique<PostgresServer>(NewPostgresFolder());
        owned = true;
        if (!server->Initialise() || !server->Start()) {
            failure = server->Failure();
        }
        return failure.empty();
    }
    ~SharedServer() {
        if (owned) {
            server->Remove();
        }
    }
};

}  // namespace

PostgresServer::PostgresServer(std::filesystem::path folder) : mFolder(std::move(folder)) {}

bool PostgresServer::Run(const std::string& program, std::initializer_list<std::string> arguments) {
    const std::filesystem::path path = kServerPrograms / program;
    if (!std::filesystem::exists(path)) {
        mFailure = path.string() + " is missing: install the postgresql package";
        return false;
    }
    std::vector<std::string> argv;
    if (IsRoot()) {
        argv = {"runuser", "-u", kServerUser, "--"};
    }
    argv.push_back(path.string());
    argv.insert(argv.end(), arguments);
    if (Spawn(argv, mFolder / "commands.log") != 0) {
        mFailure = program + " failed; see " + (mFolder / "commands.log").string();
        return false;
    }
    return true;
}

bool PostgresServer::Initialise() {
    std::error_code error;
    std::filesystem::create_directories(mFolder, error);
    if (error) {
        mFailure = "cannot create " + mFolder.string() + ": " + error.message();
        return false;
    }
    if (IsRoot()) {
        const passwd* user = ::getpwnam(kServerUser);
        if (user == nullptr || ::chown(mFolder.c_str(), user->pw_uid, user->pw_gid) != 0) {
            mFailure = std::string("cannot hand the server folder to user ") + kServerUser;
            return false;
        }
    }
    return Run("initdb", {"-D", (mFolder / "data").string(), "-U", kRole, "-A", "trust", "-E",
                          "UTF8", "--locale=C.UTF-8", "--no-sync", "--no-instructions"});
}

bool PostgresServer::Start(bool durable) {
    // Only the socket in the server's own folder: nothing listens on a network port.
    return Run("pg_ctl", {"-D", (mFolder / "data").string(), "-l",
                          (mFolder / "server.log").string(), "-w", "-t", "120", "-o",
                          "-k " + mFolder.string() +
                              " -c listen_addresses= -c fsync=" + (durable ? "on" : "off"),
                          "start"});
}

bool PostgresServer::Stop() {
    return Run("pg_ctl",
               {"-D", (mFolder / "data").string(), "-m", "fast", "-w", "-t", "120", "stop"});
}

void PostgresServer::Remove() {
    if (std::filesystem::exists(mFolder / "data" / "postmaster.pid")) {
        Stop();
    }
    std::error_code ignored;
    std::filesystem::remove_all(mFolder, ignored);
}

std::string PostgresServer::CreateDatabase() {
    static std::atomic<int> counter{0};
    const std::string name =
        "sorvanti_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    if (!Run("psql", {"-X", "-q", "-h", mFolder.string(), "-U", kRole, "-d", "postgres", "-c",
                      "CREATE DATABASE " + name})) {
        ADD_FAILURE() << "cannot create database " << name << ": " << mFailure;
    }
    return name;
}

void PostgresServer::RegisterDataSource(const std::string& name,
                                        const std::string& database) const {
    SQLSetConfigMode(ODBC_USER_DSN);
    const std::pair<const char*, std::string> entries[] = {
        {"Driver", kDriver}, {"Servername", mFolder.string()},
        {"Port", "5432"},    {"Database", database},
        {"Username", kRole},
    };
    for (const auto& [key, value] : entries) {
        if (!SQLWritePrivateProfileString(name.c_str(), key, value.c_str(), "odbc.ini")) {
            ADD_FAILURE() << "cannot register data source " << name;
        }
    }
    SQLSetConfigMode(ODBC_BOTH_DSN);
}

PostgresServer& SharedPostgresServer() {
    static SharedServer shared;
    static const bool running = shared.Begin();
    if (!running) {
        ADD_FAILURE() << "no database server for the test: " << shared.failure;
    }
    return *shared.server;
}

std::filesystem::path NewPostgresFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sorvanti-pg-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    std::filesystem::remove(pattern);
    return pattern;
}

}  // namespace testsupport
