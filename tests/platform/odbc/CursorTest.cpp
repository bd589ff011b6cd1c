// The read cursor over a real SQLite database through the ODBC driver: values of every length,
// script and NULL come back whole through the bound buffers, by column name in any order, read
// alone or appended to a text.
#include "platform/odbc/Cursor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/odbc/Connection.h"
#include "platform/odbc/DataSource.h"
#include "platform/odbc/Error.h"
#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"

namespace {

// A data source on an empty database file in the test's folder, with one table.
class CursorTest : public ::testing::Test {
  protected:
    CursorTest() {
        const std::filesystem::path database = mFolder.Path() / "cursor.db";
        testsupport::WriteFileBytes(database, "");
        std::wstring attributes = L"DSN=CursorTest";
        attributes.push_back(L'\0');
        attributes.append(L"DBQ=" + text::FromPath(database));
        attributes.append(2, L'\0');
        EXPECT_TRUE(odbc::ConfigDataSource(odbc::kAddDataSource, L"SQLite3", attributes));
        mConnection.Open(L"CursorTest");
        // CODE declares 4 characters, which SQLite does not enforce: a value may exceed it.
        mConnection.ExecuteDirect(
            L"CREATE TABLE t (ID INTEGER PRIMARY KEY, CODE VARCHAR(4), BODY TEXT)");
    }

    testsupport::TestProgramFolder mFolder;
    odbc::Connection mConnection;
};

// `count` copies of `piece`.
std::wstring Repeat(std::wstring_view piece, std::size_t count) {
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        text.append(piece);
    }
    return text;
}

TEST_F(CursorTest, EveryValueReadsWholeWhateverItsLengthOrScriptAndNullReadsEmpty) {
    struct Case {
        const char* what;
        std::optional<std::wstring> value;  // nullopt: NULL
    };
    // The rows follow each other in one walk, so that a long value's read does not leak into
    // the next row's short or NULL one. The bound buffers hold 64 characters of up to 4
    // bytes; the lengths around that edge are counted in 1- and 4-byte characters.
    const Case cases[] = {
        {"short Latin", L"Name1"},
        {"empty", L""},
        {"NULL", std::nullopt},
        {"Greek, CJK and above U+FFFF", L"\u0396\u03C9\u03AE \u5C71\u7530 \U0001F600"},
        {"255 bytes", std::wstring(255, L'a')},
        {"256 bytes", std::wstring(256, L'b')},
        {"257 bytes", std::wstring(257, L'c')},
        {"NULL after a long value", std::nullopt},
        {"63 four-byte characters", Repeat(L"\U0001F600", 63)},
        {"64 four-byte characters", Repeat(L"\U0001F601", 64)},
        {"65 four-byte characters", Repeat(L"\U0001F602", 65)},
        {"short after a long value", L"x"},
        // 25,000 bytes: read in several pieces whose edges fall inside multi-byte characters.
        {"long mixed-width text", Repeat(L"a\u03A9\u6F22\U0001F600", 2500)},
    };
    int32_t id = 0;
    for (const Case& c : cases) {
        const odbc::Parameter row[] = {++id};
        if (c.value) {
            const odbc::Parameter values[] = {id, *c.value, *c.value};
            mConnection.ExecuteDirect(L"INSERT INTO t (ID, CODE, BODY) VALUES (?, ?, ?)", values);
        } else {
            mConnection.ExecuteDirect(L"INSERT INTO t (ID, CODE, BODY) VALUES (?, NULL, NULL)",
                                      row);
        }
    }

    odbc::Cursor cursor(mConnection);
    cursor.Open(L"SELECT * FROM t ORDER BY ID");
    ASSERT_TRUE(cursor.HasRows());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(cursor.IsEOF());
        const std::wstring expected = c.value.value_or(L"");
        // Columns in any order, each as often as wanted.
        EXPECT_EQ(cursor.GetText(L"BODY"), expected);
        EXPECT_EQ(cursor.GetText(L"CODE"), expected);
        EXPECT_EQ(cursor.GetText(L"BODY"), expected);
        // Appended after text already there, as one line is built from several columns.
        std::wstring line = L"\u00E9-";
        cursor.AppendText(L"BODY", line);
        EXPECT_EQ(line, L"\u00E9-" + expected);
        cursor.MoveNext();
    }
    EXPECT_TRUE(cursor.IsEOF());
    EXPECT_THROW(cursor.GetText(L"BODY"), odbc::Error);
    std::wstring line;
    EXPECT_THROW(cursor.AppendText(L"BODY", line), odbc::Error);
    cursor.Close();
    EXPECT_THROW(cursor.AppendText(L"BODY", line), odbc::Error);
}

TEST_F(CursorTest, NumbersReadAsTextAndAnUnknownColumnIsAnError) {
    mConnection.ExecuteDirect(
        L"INSERT INTO t (ID, CODE) VALUES (9223372036854775807, 'A'), (-42, 'B')");
    odbc::Cursor cursor(mConnection);
    cursor.Open(L"SELECT ID, CODE, ID * 2 AS TWICE FROM t ORDER BY CODE");
    EXPECT_EQ(cursor.GetText(L"ID"), L"9223372036854775807");
    EXPECT_THROW(cursor.GetText(L"code"), odbc::Error) << "names compare with case";
    cursor.MoveNext();
    EXPECT_EQ(cursor.GetText(L"ID"), L"-42");
    EXPECT_EQ(cursor.GetText(L"TWICE"), L"-84");
    cursor.MoveNext();
    EXPECT_TRUE(cursor.IsEOF());

    cursor.Open(L"SELECT * FROM t WHERE ID = 0");
    EXPECT_FALSE(cursor.HasRows());
    EXPECT_TRUE(cursor.IsEOF());
}

}  // namespace
