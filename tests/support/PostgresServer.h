// A PostgreSQL 15 server of the tests' own: a cluster initialised in a temporary folder and
// reached only through a Unix socket in that folder (no TCP port), with trust authentication
// for its one role. Run as root, the server's programs run as the "postgres" user, since the
// server refuses to run as root.
//
// One server serves a whole test program: CTest starts it before the program's tests (a
// fixture test running PostgresServerTool) and passes its folder in SORVANTI_TEST_PG_FOLDER;
// run outside CTest, the program starts its own on first use and stops it when it ends. Each
// test then works in a database of its own on it. A test that stops and starts a server makes
// a private one. When the server cannot be started (its programs are missing) every test that
// needs it fails, saying why.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class PostgresServer {
  public:
    // A handle on the cluster in `folder`; nothing is created or started.
    explicit PostgresServer(std::filesystem::path folder);

    // Creates `folder` and a cluster in it; false (and the reason in Failure()) when it cannot.
    bool Initialise();
    // Starts and stops the server, waiting until it accepts connections or has stopped. A
    // server for tests does not wait for the disk; a `durable` one does, as a clinic's would.
    bool Start(bool durable = false);
    bool Stop();
    // Stops the server if it runs and removes the folder.
    void Remove();

    const std::filesystem::path& Folder() const { return mFolder; }
    const std::string& Failure() const { return mFailure; }

    // Creates an empty database with a name no other test uses and returns the name. Fails the
    // test when the server does not answer.
    std::string CreateDatabase();
    // Registers per-user data source `name` (in $ODBCINI) for `database` on this server with
    // the server's Unicode ODBC driver.
    void RegisterDataSource(const std::string& name, const std::string& database) const;

  private:
    // Runs one of the server's programs as its user; false when it fails.
    bool Run(const std::string& program, std::initializer_list<std::string> arguments);
    std::filesystem::path mFolder;
    std::string mFailure;
};

// The test program's shared server: the one CTest started, else one started on first use.
// Fails the calling test when there is none.
PostgresServer& SharedPostgresServer();

// Creates a fresh temporary folder name for a private server (not yet existing).
std::filesystem::path NewPostgresFolder();

}  // namespace testsupport
