// The benchmark's baseline for reads: a statement run through the sqlite3 C library directly,
// without ODBC, each row's columns read as text and joined into one line, as the sqlite3
// command-line tool prints them ("1|F111111111|Name111|M|AB|1 Sample Street|8/10/2015").
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

class SqliteTextQuery {
  public:
    // Opens the database file read-only; a failure is printed on stderr and leaves it closed.
    explicit SqliteTextQuery(const std::filesystem::path& database);
    ~SqliteTextQuery();
    SqliteTextQuery(const SqliteTextQuery&) = delete;
    SqliteTextQuery& operator=(const SqliteTextQuery&) = delete;

    bool IsOpen() const { return mDatabase != nullptr; }
    // Runs `statement` (UTF-8) and replaces `lines` with one line per row, columns separated
    // by "|", NULL as nothing. False, with the library's message on stderr, when it fails.
    bool Lines(const std::string& statement, std::vector<std::string>& lines);

  private:
    sqlite3* mDatabase = nullptr;
};
