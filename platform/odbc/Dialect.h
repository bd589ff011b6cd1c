// The database engine's dialect: statements are written as the record store states them, and
// the one construct the engine lacks is rewritten here. SQLite has no "SELECT TOP n"; it
// becomes "SELECT ... LIMIT n".
#pragma once

#include <string>
#include <string_view>

namespace odbc {

std::wstring ApplyDialect(std::wstring_view statement);

// The statement that gives the identifier of the row the connection inserted last.
inline constexpr wchar_t kLastInsertIdStatement[] = L"SELECT last_insert_rowid()";

}  // namespace odbc
