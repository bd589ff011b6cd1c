// Starts and stops the database server a test program shares, for CTest's fixture tests:
//   sorvanti_pg_test_server start <folder>   a new cluster in <folder> (a stale one is removed)
//   sorvanti_pg_test_server stop <folder>    stops the server and removes <folder>
#include <cstdio>
#include <string_view>

#include "tests/support/PostgresServer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s start|stop <folder>\n", argv[0]);
        return 2;
    }
    const std::string_view command = argv[1];
    testsupport::PostgresServer server(argv[2]);
    if (command == "stop") {
        server.Remove();
        return 0;
    }
    if (command != "start") {
        std::fprintf(stderr, "unknown command %s\n", argv[1]);
        return 2;
    }
    server.Remove();
    if (!server.Initialise() || !server.Start()) {
        std::fprintf(stderr, "cannot start the database server: %s\n", server.Failure().c_str());
        return 1;
    }
    return 0;
}
