// The benchmark's yardstick for the patient list: the sqlite3 command-line tool running the
// same statement on the same database file and printing its rows (to /dev/null), as a user
// of the tool would. Runs of the tool that repeat the statement are timed against runs that
// run it once, so that the tool's start and the opening of the file cancel out.
#pragma once

#include <filesystem>
#include <string>

// The tool's median time for one run of `statement` (UTF-8, no trailing ";"), in ms; negative
// when the tool cannot be run or fails.
double SqliteShellMilliseconds(const std::filesystem::path& database, const std::string& statement);
