// The database engine's dialect: statements are written as the record store states them, and
// the constructs an engine lacks or reads differently are rewritten here, keeping each
// statement's meaning and its "?" markers in order.
//
//   both engines   "SELECT TOP n ..."  ->  "SELECT ... LIMIT n"
//   PostgreSQL     "a LIKE b"          ->  "a ILIKE b ESCAPE ''"   (the record store's LIKE is
//                                          case-insensitive and knows no escape character;
//                                          the server's is case-sensitive and takes '\' as one)
#pragma once

#include <string>
#include <string_view>

namespace odbc {

enum class Engine { kSqlite, kPostgres };

std::wstring ApplyDialect(Engine engine, std::wstring_view statement);

// The statement that gives the identifier of the row the connection inserted last, whatever
// other connections inserted since.
std::wstring_view LastInsertIdStatement(Engine engine);

}  // namespace odbc
