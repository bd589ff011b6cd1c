// One connection to a data source, over the ODBC C API (unixODBC). Every statement of the
// program runs through it: written statements directly (ExecuteDirect), read statements
// through a Cursor bound to it. Values are always bound to "?" markers, never formatted into
// the statement text. Not thread-safe: one thread uses a connection at a time.
//
// A connection whose link to a database server broke (the server stopped, the network went)
// stops counting as open as soon as an operation finds out: the operation throws the driver's
// text, and the owner opens the data source again for the next one.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/odbc/Dialect.h"
#include "platform/odbc/Error.h"
#include "platform/odbc/Parameter.h"

namespace odbc {

class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the registered data source, shared and writable. Throws Error with the driver
    // manager's or the database's text when it cannot be opened, or when the name holds a
    // character ODBC does not allow in one ("[]{}(),;?*=!@\\").
    void Open(const std::wstring& dataSourceName);
    // Open, and its link to the database not found broken since.
    bool IsOpen() const;
    // The engine behind the open connection, whose dialect its statements are given in.
    Engine DatabaseEngine() const;
    // Closes the connection (any open cursor must be closed first); harmless when closed.
    void Close();

    // Runs one statement that returns no rows; each statement commits by itself. Throws Error
    // when the database rejects it or the connection is not open.
    void ExecuteDirect(std::wstring_view statement, std::span<const Parameter> parameters = {});

    // Groups the statements that follow into one transaction until Commit or Rollback; without
    // one, every statement commits by itself. Begin and Commit throw Error; Rollback reports
    // nothing (it is the way out of a failure).
    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();

    // The identifier (AutoNumber) the database gave the row this connection inserted last,
    // whatever other connections inserted since; 0 before any insert. Throws Error.
    int64_t LastInsertId();

  private:
    friend class Cursor;
    // The ODBC connection handle (SQLHDBC) for the cursor; null when not open.
    void* NativeHandle() const;
    // Called with every error an operation throws: marks the connection no longer open when
    // its link to the database is gone.
    void NoteFailure(const Error& error);
    // Runs `operation`, noting the error it throws before passing it on.
    template <typename Operation>
    auto Guarded(Operation&& operation) -> decltype(operation()) {
        try {
            return operation();
        } catch (const Error& error) {
            NoteFailure(error);
            throw;
        }
    }
    struct Handles;
    std::unique_ptr<Handles> mHandles;
};

}  // namespace odbc
