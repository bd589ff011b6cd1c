#include "tools/bench/SqliteTextQuery.h"

#include <sqlite3.h>

#include <cstdio>

SqliteTextQuery::SqliteTextQuery(const std::filesystem::path& database) {
    if (sqlite3_open_v2(database.c_str(), &mDatabase, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite3_open_v2(%s) failed: %s\n", database.c_str(),
                     mDatabase != nullptr ? sqlite3_errmsg(mDatabase) : "out of memory");
        sqlite3_close(mDatabase);
        mDatabase = nullptr;
    }
}

SqliteTextQuery::~SqliteTextQuery() {
    sqlite3_close(mDatabase);
}

bool SqliteTextQuery::Lines(const std::string& statement, std::vector<std::string>& lines) {
    lines.clear();
    if (mDatabase == nullptr) {
        return false;
    }
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(mDatabase, statement.c_str(), -1, &prepared, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite3_prepare_v2 failed: %s\n", sqlite3_errmsg(mDatabase));
        return false;
    }
    const int columns = sqlite3_column_count(prepared);
    int result;
    while ((result = sqlite3_step(prepared)) == SQLITE_ROW) {
        std::string line;
        for (int column = 0; column < columns; ++column) {
            if (column > 0) {
                line += '|';
            }
            const unsigned char* text = sqlite3_column_text(prepared, column);
            if (text != nullptr) {
                line.append(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(prepared, column)));
            }
        }
        lines.push_back(std::move(line));
    }
    if (result != SQLITE_DONE) {
        std::fprintf(stderr, "sqlite3_step failed: %s\n", sqlite3_errmsg(mDatabase));
    }
    sqlite3_finalize(prepared);
    return result == SQLITE_DONE;
}
