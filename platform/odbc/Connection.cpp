#include "platform/odbc/Connection.h"

#include <string_view>

#include "platform/odbc/DataSourceIniMutex.h"
#include "platform/odbc/Dialect.h"
#include "platform/odbc/EmbeddedEngine.h"
#include "platform/odbc/Statement.h"

namespace odbc {
namespace {

// The engine the driver reports it talks to; the embedded engine's dialect for any other.
Engine EngineOf(SQLHDBC connection) {
    SQLWCHAR name[64] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(connection, SQL_DBMS_NAME, name, sizeof(name), &length))) {
        return Engine::kSqlite;
    }
    const std::wstring product =
        detail::FromSqlText(name, std::min<std::size_t>(length / sizeof(SQLWCHAR), 63));
    return product == L"PostgreSQL" ? Engine::kPostgres : Engine::kSqlite;
}

// SQLSTATE class 08 is a connection exception; 57P01 to 57P03 are the server shutting down or
// not accepting connections yet.
bool IsConnectionState(std::wstring_view state) {
    return state.starts_with(L"08") || state.starts_with(L"57P");
}

}  // namespace

struct Connection::Handles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool open = false;
    bool lost = false;  // the link to the database broke; only closing is left to do
    Engine engine = Engine::kSqlite;

    ~Handles() {
        if (open) {
            SQLDisconnect(connection);
        }
        if (connection != SQL_NULL_HDBC) {
            SQLFreeHandle(SQL_HANDLE_DBC, connection);
        }
        if (environment != SQL_NULL_HENV) {
            SQLFreeHandle(SQL_HANDLE_ENV, environment);
        }
    }
};

Connection::Connection() = default;

Connection::~Connection() = default;

void Connection::Open(const std::wstring& dataSourceName) {
    Close();
    // A name with the connection string's separators or braces would add keywords of its own
    // (another database, another user); ODBC does not allow these characters in a name.
    if (dataSourceName.empty() ||
        dataSourceName.find_first_of(L"[]{}(),;?*=!@\\") != std::wstring::npos) {
        throw Error(L"The data source name \"" + dataSourceName + L"\" is not valid.");
    }
    detail::ConfigureEmbeddedEngine();  // before the driver first uses the library
    auto handles = std::make_unique<Handles>();
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handles->environment))) {
        handles->environment = SQL_NULL_HENV;
        throw Error(L"SQLAllocHandle(SQL_HANDLE_ENV) failed");
    }
    detail::Check(SQLSetEnvAttr(handles->environment, SQL_ATTR_ODBC_VERSION,
                                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                  SQL_HANDLE_ENV, handles->environment, L"SQLSetEnvAttr");
    if (!SQL_SUCCEEDED(
            SQLAllocHandle(SQL_HANDLE_DBC, handles->environment, &handles->connection))) {
        handles->connection = SQL_NULL_HDBC;
        throw Error(detail::DiagnosticText(SQL_HANDLE_ENV, handles->environment,
                                           L"SQLAllocHandle(SQL_HANDLE_DBC) failed"));
    }
    std::vector<SQLWCHAR> connect = detail::ToSqlText(L"DSN=" + dataSourceName + L";");
    std::unique_lock configurationLock(detail::DataSourceIniMutex());
    detail::Check(SQLDriverConnectW(handles->connection, nullptr, connect.data(), SQL_NTS, nullptr,
                                    0, nullptr, SQL_DRIVER_NOPROMPT),
                  SQL_HANDLE_DBC, handles->connection, L"SQLDriverConnect");
    handles->open = true;
    handles->engine = EngineOf(handles->connection);
    mHandles = std::move(handles);
}

void* Connection::NativeHandle() const {
    return mHandles ? mHandles->connection : nullptr;
}

bool Connection::IsOpen() const {
    return mHandles != nullptr && !mHandles->lost;
}

Engine Connection::DatabaseEngine() const {
    return mHandles ? mHandles->engine : Engine::kSqlite;
}

void Connection::NoteFailure(const Error& error) {
    if (!mHandles) {
        return;
    }
    SQLUINTEGER dead = SQL_CD_FALSE;
    const bool deadKnown = SQL_SUCCEEDED(
        SQLGetConnectAttr(mHandles->connection, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr));
    if ((deadKnown && dead == SQL_CD_TRUE) || IsConnectionState(error.State())) {
        mHandles->lost = true;
    }
}

void Connection::Close() {
    mHandles.reset();
}

void Connection::ExecuteDirect(std::wstring_view statement, std::span<const Parameter> parameters) {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    Guarded([&] {
        detail::Statement(mHandles->connection).Execute(mHandles->engine, statement, parameters);
    });
}

void Connection::BeginTransaction() {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    Guarded([&] {
        detail::Check(SQLSetConnectAttr(mHandles->connection, SQL_ATTR_AUTOCOMMIT,
                                        reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
                      SQL_HANDLE_DBC, mHandles->connection,
                      L"SQLSetConnectAttr(SQL_ATTR_AUTOCOMMIT)");
    });
}

void Connection::CommitTransaction() {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    Guarded([&] {
        detail::Check(SQLEndTran(SQL_HANDLE_DBC, mHandles->connection, SQL_COMMIT), SQL_HANDLE_DBC,
                      mHandles->connection, L"SQLEndTran(SQL_COMMIT)");
    });
    SQLSetConnectAttr(mHandles->connection, SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

void Connection::RollbackTransaction() {
    if (IsOpen()) {
        SQLEndTran(SQL_HANDLE_DBC, mHandles->connection, SQL_ROLLBACK);
        SQLSetConnectAttr(mHandles->connection, SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
}

int64_t Connection::LastInsertId() {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    return Guarded([&] {
        detail::Statement statement(mHandles->connection);
        statement.Execute(mHandles->engine, LastInsertIdStatement(mHandles->engine), {});
        const SQLHSTMT handle = statement.Handle();
        detail::Check(SQLFetch(handle), SQL_HANDLE_STMT, handle, L"SQLFetch");
        SQLBIGINT id = 0;
        SQLLEN indicator = 0;
        detail::Check(SQLGetData(handle, 1, SQL_C_SBIGINT, &id, sizeof(id), &indicator),
                      SQL_HANDLE_STMT, handle, L"SQLGetData");
        return indicator == SQL_NULL_DATA ? SQLBIGINT{0} : id;
    });
}

}  // namespace odbc
