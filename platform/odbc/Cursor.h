// A read cursor over the rows of one statement, bound to a connection: open, test for rows,
// walk forward, read columns by name as text, close. Reused for one statement after another.
// Errors are thrown as Error and left to the caller's caller (the window layer's dispatch).
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/odbc/Connection.h"

namespace odbc {

class Cursor {
  public:
    explicit Cursor(Connection& connection);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // Runs the statement and makes its first row current (if any). Throws Error.
    void Open(std::wstring_view statement, std::span<const Parameter> parameters = {});
    bool IsOpen() const;
    // True when the statement produced at least one row.
    bool HasRows() const;
    // True when no row is current: past the last row, or there were none.
    bool IsEOF() const;
    // Makes the next row current. Throws Error.
    void MoveNext();
    // The current row's value of `column` as text; NULL reads as empty. Throws Error for a
    // column the statement does not have or when no row is current.
    std::wstring GetText(std::wstring_view column) const;
    // Appends the current row's value of `column`, as GetText reads it, to `text`: a read that
    // builds one text from several columns needs no string per value. Throws as GetText.
    void AppendText(std::wstring_view column, std::wstring& text) const;
    void Close();

  private:
    // The index of `column` in the current row; throws Error as GetText.
    std::size_t ColumnIndex(std::wstring_view column) const;
    struct State;
    Connection& mConnection;
    std::unique_ptr<State> mState;
};

}  // namespace odbc
