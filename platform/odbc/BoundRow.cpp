// Columns are bound as SQL_C_CHAR: the SQLite3 driver hands its UTF-8 text over unchanged,
// where SQL_C_WCHAR would make it convert (and allocate) once per value before ours converts
// again; each text is converted here once, into the caller's wide string, when it is read. A
// buffer holds the column's declared size, at most kBoundCharacters characters: the driver
// declares every TEXT column 65,536 wide, and it fills a bound buffer to its end on every row
// (the value, then zeros), so a buffer costs its size per row; the lists' values are short (a
// PID of 10 characters, names mostly well under 64). A longer value (the indicator counts more
// bytes than the buffer holds, or cannot count them) is read again whole with SQLGetData,
// which the driver allows for bound columns of the current row (SQL_GD_BOUND).
// One row is fetched at a time: the driver cannot position on a row inside a fetched block
// (SQLSetPos) to read such a value again, and with it a block saves nothing measurable.
#include "platform/odbc/BoundRow.h"

#include <algorithm>
#include <string_view>

#include "platform/odbc/Error.h"
#include "platform/odbc/Statement.h"
#include "platform/text/Text.h"

namespace odbc::detail {
namespace {

constexpr SQLULEN kBoundCharacters = 64;
constexpr SQLULEN kUtf8BytesPerCharacter = 4;

// Reads one column of the current row whole, in as many pieces as it takes.
std::wstring ReadWhole(SQLHSTMT statement, SQLUSMALLINT column, const std::wstring& name) {
    std::string value;
    char piece[4096];
    constexpr std::size_t kCapacity = sizeof(piece) - 1;
    for (bool first = true;; first = false) {
        SQLLEN indicator = 0;
        const SQLRETURN result =
            SQLGetData(statement, column, SQL_C_CHAR, piece, sizeof(piece), &indicator);
        if (result == SQL_NO_DATA && !first) {
            break;
        }
        Check(result, SQL_HANDLE_STMT, statement, L"SQLGetData");
        if (result == SQL_NO_DATA || indicator == SQL_NULL_DATA) {
            // The fetch counted more bytes than the buffer holds; passing on the cut value as
            // if it were whole would lose the rest without a word.
            throw Error(L"The value of column " + name + L" cannot be read whole.");
        }
        const std::size_t length =
            indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > kCapacity
                ? kCapacity
                : static_cast<std::size_t>(indicator);
        value.append(piece, length);
        if (result == SQL_SUCCESS) {
            break;
        }
    }
    return text::FromUtf8(value);
}

// Appends UTF-8 `bytes` to `text`. ASCII, what the lists mostly hold, is widened in place
// without a string of its own; anything else goes through the one UTF-8 decoder.
void AppendUtf8(std::string_view bytes, std::wstring& text) {
    const std::size_t start = text.size();
    text.resize(start + bytes.size());
    unsigned char highBits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        highBits |= byte;
        text[start + i] = static_cast<wchar_t>(byte);
    }
    if (highBits >= 0x80) {
        text.resize(start);
        text.append(text::FromUtf8(bytes));
    }
}

}  // namespace

BoundRow::BoundRow(SQLHSTMT statement) : mStatement(statement) {
    SQLSMALLINT count = 0;
    Check(SQLNumResultCols(statement, &count), SQL_HANDLE_STMT, statement, L"SQLNumResultCols");
    mColumns.resize(static_cast<std::size_t>(std::max<SQLSMALLINT>(count, 0)));
    for (SQLUSMALLINT number = 1; number <= mColumns.size(); ++number) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLULEN declaredSize = 0;
        Check(SQLDescribeColW(statement, number, name, 256, &nameLength, nullptr, &declaredSize,
                              nullptr, nullptr),
              SQL_HANDLE_STMT, statement, L"SQLDescribeCol");
        mColumnNames.push_back(FromSqlText(name, std::min<SQLSMALLINT>(nameLength, 255)));
        Column& column = mColumns[number - 1];
        const SQLULEN characters =
            declaredSize == 0 ? kBoundCharacters : std::min(declaredSize, kBoundCharacters);
        column.buffer.assign(characters * kUtf8BytesPerCharacter + 1, '\0');
        Check(SQLBindCol(statement, number, SQL_C_CHAR, column.buffer.data(),
                         static_cast<SQLLEN>(column.buffer.size()), &column.indicator),
              SQL_HANDLE_STMT, statement, L"SQLBindCol");
    }
}

BoundRow::~BoundRow() {
    SQLFreeStmt(mStatement, SQL_UNBIND);
}

bool BoundRow::Fetch() {
    const SQLRETURN result = SQLFetch(mStatement);
    if (result == SQL_NO_DATA) {
        return false;
    }
    Check(result, SQL_HANDLE_STMT, mStatement, L"SQLFetch");
    for (std::size_t index = 0; index < mColumns.size(); ++index) {
        Column& column = mColumns[index];
        const auto capacity = static_cast<SQLLEN>(column.buffer.size() - 1);
        if (column.indicator == SQL_NULL_DATA) {
            column.value = Value::kNull;
        } else if (column.indicator >= 0 && column.indicator <= capacity) {
            column.value = Value::kInBuffer;
        } else {
            // Longer than the buffer, or a length the driver could not count.
            column.value = Value::kReadWhole;
            column.whole =
                ReadWhole(mStatement, static_cast<SQLUSMALLINT>(index + 1), mColumnNames[index]);
        }
    }
    return true;
}

void BoundRow::AppendText(std::size_t index, std::wstring& text) const {
    const Column& column = mColumns[index];
    switch (column.value) {
        case Value::kNull:
            return;
        case Value::kInBuffer:
            AppendUtf8(
                std::string_view(column.buffer.data(), static_cast<std::size_t>(column.indicator)),
                text);
            return;
        case Value::kReadWhole:
            text.append(column.whole);
            return;
    }
}

}  // namespace odbc::detail
