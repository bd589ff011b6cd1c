#include "platform/odbc/Statement.h"

#include <list>

#include "platform/odbc/Error.h"
#include "platform/text/Text.h"

namespace odbc::detail {

std::vector<SQLWCHAR> ToSqlText(std::wstring_view text) {
    std::u16string utf16 = text::ToUtf16(text);
    std::vector<SQLWCHAR> out(utf16.begin(), utf16.end());
    out.push_back(0);
    return out;
}

std::wstring FromSqlText(const SQLWCHAR* text, std::size_t length) {
    return text::FromUtf16(std::u16string(text, text + length));
}

std::wstring DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle, std::wstring_view fallback) {
    std::wstring joined;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLWCHAR message[SQL_MAX_MESSAGE_LENGTH] = {};
        SQLSMALLINT length = 0;
        SQLRETURN result = SQLGetDiagRecW(handleType, handle, record, state, &nativeError, message,
                                          SQL_MAX_MESSAGE_LENGTH, &length);
        if (!SQL_SUCCEEDED(result)) {
            break;
        }
        if (!joined.empty()) {
            joined += L'\n';
        }
        const auto stored = std::min<std::size_t>(length, SQL_MAX_MESSAGE_LENGTH - 1);
        joined += FromSqlText(message, stored);
    }
    return joined.empty() ? std::wstring(fallback) : joined;
}

std::wstring DiagnosticState(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLWCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(
            SQLGetDiagRecW(handleType, handle, 1, state, &nativeError, nullptr, 0, &length))) {
        return {};
    }
    std::size_t stateLength = 0;
    while (stateLength < 5 && state[stateLength] != 0) {
        ++stateLength;
    }
    return FromSqlText(state, stateLength);
}

void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, std::wstring_view call) {
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA) {
        // The state first: reading the text must not be what clears the records.
        std::wstring state = DiagnosticState(handleType, handle);
        throw Error(DiagnosticText(handleType, handle, std::wstring(call) + L" failed"),
                    std::move(state));
    }
}

Statement::Statement(SQLHDBC connection) {
    SQLRETURN result = SQLAllocHandle(SQL_HANDLE_STMT, connection, &mHandle);
    if (!SQL_SUCCEEDED(result)) {
        mHandle = SQL_NULL_HSTMT;
        throw Error(DiagnosticText(SQL_HANDLE_DBC, connection, L"SQLAllocHandle failed"));
    }
}

Statement::~Statement() {
    if (mHandle != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, mHandle);
    }
}

void Statement::Execute(Engine engine, std::wstring_view statement,
                        std::span<const Parameter> parameters) {
    // The bound buffers must stay in place until execution ends; a list never moves them.
    struct Bound {
        SQLINTEGER number = 0;
        std::vector<SQLWCHAR> text;
        SQLLEN indicator = 0;
    };
    std::list<Bound> bound;
    SQLUSMALLINT index = 0;
    for (const Parameter& parameter : parameters) {
        Bound& value = bound.emplace_back();
        SQLRETURN result;
        if (const auto* number = std::get_if<int32_t>(&parameter)) {
            value.number = *number;
            result = SQLBindParameter(mHandle, ++index, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER,
                                      0, 0, &value.number, 0, nullptr);
        } else {
            value.text = ToSqlText(std::get<std::wstring>(parameter));
            const auto characters = static_cast<SQLULEN>(value.text.size() - 1);
            value.indicator = static_cast<SQLLEN>(characters * sizeof(SQLWCHAR));
            result = SQLBindParameter(mHandle, ++index, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
                                      std::max<SQLULEN>(characters, 1), 0, value.text.data(),
                                      static_cast<SQLLEN>(value.text.size() * sizeof(SQLWCHAR)),
                                      &value.indicator);
        }
        Check(result, SQL_HANDLE_STMT, mHandle, L"SQLBindParameter");
    }
    std::vector<SQLWCHAR> text = ToSqlText(ApplyDialect(engine, statement));
    Check(SQLExecDirectW(mHandle, text.data(), SQL_NTS), SQL_HANDLE_STMT, mHandle,
          L"SQLExecDirect");
}

}  // namespace odbc::detail
