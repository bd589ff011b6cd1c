// Internal to the odbc layer: RAII statement handle and the one path through which every
// statement is executed (dialect, parameter binding, diagnostics).
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/Dialect.h"
#include "platform/odbc/Parameter.h"

namespace odbc::detail {

// The diagnostic records of a handle, joined by new lines; `fallback` when there are none.
std::wstring DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle, std::wstring_view fallback);

// The first diagnostic record's SQLSTATE; empty when there is none.
std::wstring DiagnosticState(SQLSMALLINT handleType, SQLHANDLE handle);

// Throws Error with the handle's diagnostics when `result` is a failure.
void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, std::wstring_view call);

// Wide text <-> zero-terminated SQLWCHAR (UTF-16) text.
std::vector<SQLWCHAR> ToSqlText(std::wstring_view text);
std::wstring FromSqlText(const SQLWCHAR* text, std::size_t length);

class Statement {
  public:
    // Allocates a statement on an open connection; throws Error.
    explicit Statement(SQLHDBC connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Applies the engine's dialect, binds the parameters in order and executes. Throws Error.
    void Execute(Engine engine, std::wstring_view statement, std::span<const Parameter> parameters);
    SQLHSTMT Handle() const { return mHandle; }

  private:
    SQLHSTMT mHandle = SQL_NULL_HSTMT;
};

}  // namespace odbc::detail
