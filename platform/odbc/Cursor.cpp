// Rows are fetched forward only into the bound buffers of the statement's columns; a column's
// text is converted when it is read, so columns can be read by name in any order. Names
// compare with case; on a server that folds unquoted names to lower case (the statement's
// CUSTOMER_PID comes back as customer_pid) a name also finds its folded column.
#include "platform/odbc/Cursor.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/odbc/BoundRow.h"
#include "platform/odbc/Statement.h"

namespace odbc {
namespace {

// The name a server that folds unquoted names to lower case gives column `column`.
bool IsFoldedName(std::wstring_view name, std::wstring_view column) {
    if (name.size() != column.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = column[i];
        const wchar_t folded = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
        if (name[i] != folded) {
            return false;
        }
    }
    return true;
}

}  // namespace

struct Cursor::State {
    explicit State(SQLHDBC connection) : statement(connection) {}
    detail::Statement statement;
    std::optional<detail::BoundRow> row;  // bound once the statement has run
    bool hasRows = false;
    bool atEnd = false;
    // The columns found under a folded name: rows read the same columns again and again.
    std::vector<std::pair<std::wstring, std::size_t>> folded;
};

Cursor::Cursor(Connection& connection) : mConnection(connection) {}

Cursor::~Cursor() = default;

void Cursor::Open(std::wstring_view statement, std::span<const Parameter> parameters) {
    Close();
    if (!mConnection.IsOpen()) {
        throw Error(L"The database is not open.");
    }
    mState = mConnection.Guarded([&] {
        auto state = std::make_unique<State>(static_cast<SQLHDBC>(mConnection.NativeHandle()));
        state->statement.Execute(mConnection.DatabaseEngine(), statement, parameters);
        state->row.emplace(state->statement.Handle());
        state->hasRows = state->row->Fetch();
        state->atEnd = !state->hasRows;
        return state;
    });
}

bool Cursor::IsOpen() const {
    return mState != nullptr;
}

bool Cursor::HasRows() const {
    return mState && mState->hasRows;
}

bool Cursor::IsEOF() const {
    return !mState || mState->atEnd;
}

void Cursor::MoveNext() {
    if (IsEOF()) {
        throw Error(L"No current row.");
    }
    mState->atEnd = !mConnection.Guarded([&] { return mState->row->Fetch(); });
}

std::size_t Cursor::ColumnIndex(std::wstring_view column) const {
    if (IsEOF()) {
        throw Error(L"No current row.");
    }
    const std::vector<std::wstring>& names = mState->row->ColumnNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == column) {
            return i;
        }
    }
    if (mConnection.DatabaseEngine() == Engine::kPostgres) {
        for (const auto& [name, index] : mState->folded) {
            if (name == column) {
                return index;
            }
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (IsFoldedName(names[i], column)) {
                mState->folded.emplace_back(column, i);
                return i;
            }
        }
    }
    throw Error(L"Item not found in this collection: " + std::wstring(column));
}

std::wstring Cursor::GetText(std::wstring_view column) const {
    std::wstring text;
    AppendText(column, text);
    return text;
}

void Cursor::AppendText(std::wstring_view column, std::wstring& text) const {
    const std::size_t index = ColumnIndex(column);  // throws before a closed cursor is read
    mState->row->AppendText(index, text);
}

void Cursor::Close() {
    mState.reset();
}

}  // namespace odbc
