// The database engine's dialect: statements are written as the record store states them, and
// the one construct the engine lacks is rewritten here. SQLite has no "SELECT TOP n"; it
// becomes "SELECT ... LIMIT n".
#pragma once

#include <string>
#include <string_view>

namespace odbc {

std::wstring ApplyDialect(std::wstring_view statement);

}  // namespace odbc
