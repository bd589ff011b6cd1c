#include "platform/odbc/Dialect.h"

#include <gtest/gtest.h>

namespace {

TEST(Dialect, EmbeddedEngineRewritesSelectTopIntoLimit) {
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
        // The embedded engine's LIKE already ignores case and knows no escape character.
        {L"SELECT A FROM t WHERE B LIKE ?", L"SELECT A FROM t WHERE B LIKE ?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(odbc::ApplyDialect(odbc::Engine::kSqlite, c.statement), c.expected);
    }
}

TEST(Dialect, ServerLikeIsCaseInsensitiveAndTakesNoEscapeCharacter) {
    struct Case {
        const wchar_t* statement;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"SELECT A FROM t WHERE B LIKE '%' || ? || '%' ORDER BY A",
         L"SELECT A FROM t WHERE B ILIKE '%' || ? || '%' ESCAPE '' ORDER BY A"},
        {L"SELECT A FROM t WHERE B like ?", L"SELECT A FROM t WHERE B ILIKE ? ESCAPE ''"},
        {L"SELECT A FROM t WHERE (B LIKE lower(?)) AND C NOT LIKE ?",
         L"SELECT A FROM t WHERE (B ILIKE lower(?) ESCAPE '' ) AND C NOT ILIKE ? ESCAPE ''"},
        {L"SELECT A FROM t WHERE B LIKE ?||'x' OR C = 1",
         L"SELECT A FROM t WHERE B ILIKE ?||'x' ESCAPE '' OR C = 1"},
        // An escape the statement names is kept; LIKE inside texts and names is not a keyword.
        {L"SELECT A FROM t WHERE B LIKE ? ESCAPE '!'",
         L"SELECT A FROM t WHERE B ILIKE ? ESCAPE '!'"},
        {L"UPDATE t SET B = 'LIKE it''s' WHERE \"LIKE\" = ? AND UNLIKELY = 1",
         L"UPDATE t SET B = 'LIKE it''s' WHERE \"LIKE\" = ? AND UNLIKELY = 1"},
        // TOP still becomes LIMIT.
        {L"SELECT TOP 1 * FROM t WHERE B LIKE ? ORDER BY A DESC",
         L"SELECT * FROM t WHERE B ILIKE ? ESCAPE '' ORDER BY A DESC LIMIT 1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(odbc::ApplyDialect(odbc::Engine::kPostgres, c.statement), c.expected);
    }
}

}  // namespace
