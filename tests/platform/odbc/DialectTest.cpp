#include "platform/odbc/Dialect.h"

#include <gtest/gtest.h>

namespace {

TEST(Dialect, RewritesSelectTopIntoLimit) {
    struct Case {
        const wchar_t* statement;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"SELECT TOP 1 * FROM customer_table ORDER BY CUSTOMER_SERIAL_NUMBER DESC",
         L"SELECT * FROM customer_table ORDER BY CUSTOMER_SERIAL_NUMBER DESC LIMIT 1"},
        {L"  select   top 25 NOTE_DATE FROM note_table ; ",
         L"select   NOTE_DATE FROM note_table LIMIT 25"},
        // Left alone: no TOP, a column named TOPIC, TOP without a number.
        {L"SELECT * FROM note_table", L"SELECT * FROM note_table"},
        {L"SELECT TOPIC FROM t", L"SELECT TOPIC FROM t"},
        {L"SELECT TOP x FROM t", L"SELECT TOP x FROM t"},
        {L"DELETE FROM t WHERE A = ?", L"DELETE FROM t WHERE A = ?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(odbc::ApplyDialect(c.statement), c.expected);
    }
}

}  // namespace
