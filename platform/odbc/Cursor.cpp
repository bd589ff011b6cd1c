// Rows are fetched forward only; each fetched row's columns are read at once into memory, so
// columns can then be read by name in any order.
#include "platform/odbc/Cursor.h"

#include <optional>
#include <vector>

#include "platform/odbc/Statement.h"

namespace odbc {

struct Cursor::State {
    explicit State(SQLHDBC connection) : statement(connection) {}
    detail::Statement statement;
    std::vector<std::wstring> columnNames;
    std::optional<std::vector<std::wstring>> row;  // the current row; nullopt past the end
    bool hasRows = false;
};

namespace {

std::vector<std::wstring> ReadColumnNames(SQLHSTMT statement) {
    SQLSMALLINT count = 0;
    detail::Check(SQLNumResultCols(statement, &count), SQL_HANDLE_STMT, statement,
                  L"SQLNumResultCols");
    std::vector<std::wstring> names;
    for (SQLUSMALLINT column = 1; column <= count; ++column) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT length = 0;
        detail::Check(SQLDescribeColW(statement, column, name, 256, &length, nullptr, nullptr,
                                      nullptr, nullptr),
                      SQL_HANDLE_STMT, statement, L"SQLDescribeCol");
        names.push_back(detail::FromSqlText(name, std::min<SQLSMALLINT>(length, 255)));
    }
    return names;
}

// Reads one column of the current row as text, in as many pieces as it takes.
std::wstring ReadColumn(SQLHSTMT statement, SQLUSMALLINT column) {
    std::vector<SQLWCHAR> value;
    SQLWCHAR buffer[1024];
    for (;;) {
        SQLLEN indicator = 0;
        SQLRETURN result =
            SQLGetData(statement, column, SQL_C_WCHAR, buffer, sizeof(buffer), &indicator);
        if (result == SQL_NO_DATA || indicator == SQL_NULL_DATA) {
            break;
        }
        detail::Check(result, SQL_HANDLE_STMT, statement, L"SQLGetData");
        constexpr std::size_t kCapacity = sizeof(buffer) / sizeof(SQLWCHAR) - 1;
        const std::size_t piece =
            indicator == SQL_NO_TOTAL ||
                    static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR) > kCapacity
                ? kCapacity
                : static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR);
        value.insert(value.end(), buffer, buffer + piece);
        if (result == SQL_SUCCESS) {
            break;
        }
    }
    return detail::FromSqlText(value.data(), value.size());
}

std::optional<std::vector<std::wstring>> FetchRow(SQLHSTMT statement, std::size_t columns) {
    SQLRETURN result = SQLFetch(statement);
    if (result == SQL_NO_DATA) {
        return std::nullopt;
    }
    detail::Check(result, SQL_HANDLE_STMT, statement, L"SQLFetch");
    std::vector<std::wstring> row;
    row.reserve(columns);
    for (std::size_t column = 1; column <= columns; ++column) {
        row.push_back(ReadColumn(statement, static_cast<SQLUSMALLINT>(column)));
    }
    return row;
}

}  // namespace

Cursor::Cursor(Connection& connection) : mConnection(connection) {}

Cursor::~Cursor() = default;

void Cursor::Open(std::wstring_view statement, std::span<const Parameter> parameters) {
    Close();
    if (!mConnection.IsOpen()) {
        throw Error(L"The database is not open.");
    }
    auto state = std::make_unique<State>(static_cast<SQLHDBC>(mConnection.NativeHandle()));
    state->statement.Execute(statement, parameters);
    const SQLHSTMT handle = state->statement.Handle();
    state->columnNames = ReadColumnNames(handle);
    state->row = FetchRow(handle, state->columnNames.size());
    state->hasRows = state->row.has_value();
    mState = std::move(state);
}

bool Cursor::IsOpen() const {
    return mState != nullptr;
}

bool Cursor::HasRows() const {
    return mState && mState->hasRows;
}

bool Cursor::IsEOF() const {
    return !mState || !mState->row;
}

void Cursor::MoveNext() {
    if (IsEOF()) {
        throw Error(L"No current row.");
    }
    mState->row = FetchRow(mState->statement.Handle(), mState->columnNames.size());
}

std::wstring Cursor::GetText(std::wstring_view column) const {
    if (IsEOF()) {
        throw Error(L"No current row.");
    }
    for (std::size_t i = 0; i < mState->columnNames.size(); ++i) {
        if (mState->columnNames[i] == column) {
            return (*mState->row)[i];
        }
    }
    throw Error(L"Item not found in this collection: " + std::wstring(column));
}

void Cursor::Close() {
    mState.reset();
}

}  // namespace odbc
