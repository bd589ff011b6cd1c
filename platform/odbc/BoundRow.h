// Internal to the odbc layer: the result columns of an executed statement bound to buffers, so
// that one fetch fills every column of a row instead of one SQLGetData call per value. A value
// longer than its buffer is read again whole with SQLGetData right after the fetch; it is never
// cut short.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <string>
#include <vector>

namespace odbc::detail {

class BoundRow {
  public:
    // Describes and binds every result column of `statement`, which has been executed. The
    // statement must outlive the bound row. Throws Error.
    explicit BoundRow(SQLHSTMT statement);
    // Unbinds the buffers from the statement.
    ~BoundRow();
    BoundRow(const BoundRow&) = delete;
    BoundRow& operator=(const BoundRow&) = delete;

    // The result columns' names, in statement order.
    const std::vector<std::wstring>& ColumnNames() const { return mColumnNames; }
    // Fetches the next row into the buffers; false past the last row. Throws Error.
    bool Fetch();
    // Appends the fetched row's value of column `index` (0-based, < ColumnNames().size()) to
    // `text`; NULL appends nothing.
    void AppendText(std::size_t index, std::wstring& text) const;

  private:
    enum class Value { kNull, kInBuffer, kReadWhole };
    struct Column {
        std::string buffer;    // the value's UTF-8 bytes, zero-terminated
        SQLLEN indicator = 0;  // the driver's length in bytes, SQL_NULL_DATA or SQL_NO_TOTAL
        Value value = Value::kNull;
        std::wstring whole;  // the value read again whole, when it did not fit the buffer
    };
    SQLHSTMT mStatement;
    std::vector<std::wstring> mColumnNames;
    std::vector<Column> mColumns;
};

}  // namespace odbc::detail
