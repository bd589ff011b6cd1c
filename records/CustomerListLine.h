// The patient lists' line of one row, "%04d-%s-%s" (serial, PID, name), read from the record
// store's cursor. The lists write thousands of lines, so the buffers are kept from row to row
// and a line costs one allocation: the string the list keeps.
#pragma once

#include <string>

#include "platform/odbc/Cursor.h"

class CustomerListLine {
  public:
    // Reads from `cursor`, which must outlive this object.
    explicit CustomerListLine(const odbc::Cursor& cursor) : mCursor(cursor) {}

    // The line of the cursor's current row. Throws odbc::Error as the cursor's reads do.
    std::wstring Read();

  private:
    const odbc::Cursor& mCursor;
    std::wstring mSerialText;
    std::wstring mLine;
};
