#include "platform/odbc/Connection.h"

#include "platform/odbc/DataSourceIniMutex.h"
#include "platform/odbc/Dialect.h"
#include "platform/odbc/Statement.h"

namespace odbc {

struct Connection::Handles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool open = false;

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
    mHandles = std::move(handles);
}

void* Connection::NativeHandle() const {
    return mHandles ? mHandles->connection : nullptr;
}

bool Connection::IsOpen() const {
    return mHandles != nullptr;
}

void Connection::Close() {
    mHandles.reset();
}

void Connection::ExecuteDirect(std::wstring_view statement, std::span<const Parameter> parameters) {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    detail::Statement(mHandles->connection).Execute(statement, parameters);
}

void Connection::BeginTransaction() {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    detail::Check(SQLSetConnectAttr(mHandles->connection, SQL_ATTR_AUTOCOMMIT,
                                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
                  SQL_HANDLE_DBC, mHandles->connection, L"SQLSetConnectAttr(SQL_ATTR_AUTOCOMMIT)");
}

void Connection::CommitTransaction() {
    if (!IsOpen()) {
        throw Error(L"The database is not open.");
    }
    detail::Check(SQLEndTran(SQL_HANDLE_DBC, mHandles->connection, SQL_COMMIT), SQL_HANDLE_DBC,
                  mHandles->connection, L"SQLEndTran(SQL_COMMIT)");
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
    detail::Statement statement(mHandles->connection);
    statement.Execute(kLastInsertIdStatement, {});
    const SQLHSTMT handle = statement.Handle();
    detail::Check(SQLFetch(handle), SQL_HANDLE_STMT, handle, L"SQLFetch");
    SQLBIGINT id = 0;
    SQLLEN indicator = 0;
    detail::Check(SQLGetData(handle, 1, SQL_C_SBIGINT, &id, sizeof(id), &indicator),
                  SQL_HANDLE_STMT, handle, L"SQLGetData");
    return indicator == SQL_NULL_DATA ? 0 : id;
}

}  // namespace odbc
