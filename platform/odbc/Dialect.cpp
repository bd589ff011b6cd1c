#include "platform/odbc/Dialect.h"

#include <cwctype>

namespace odbc {
namespace {

bool IsBlank(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

// Consumes `word` (case-insensitive) at `position` followed by at least one blank.
bool ConsumeKeyword(std::wstring_view text, std::size_t& position, std::wstring_view word) {
    if (text.size() - position <= word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (static_cast<wchar_t>(std::towupper(static_cast<wint_t>(text[position + i]))) !=
            word[i]) {
            return false;
        }
    }
    std::size_t next = position + word.size();
    if (!IsBlank(text[next])) {
        return false;
    }
    while (next < text.size() && IsBlank(text[next])) {
        ++next;
    }
    position = next;
    return true;
}

}  // namespace

std::wstring ApplyDialect(std::wstring_view statement) {
    std::size_t position = 0;
    while (position < statement.size() && IsBlank(statement[position])) {
        ++position;
    }
    const std::size_t selectStart = position;
    if (!ConsumeKeyword(statement, position, L"SELECT")) {
        return std::wstring(statement);
    }
    const std::size_t afterSelect = position;
    if (!ConsumeKeyword(statement, position, L"TOP")) {
        return std::wstring(statement);
    }
    const std::size_t countStart = position;
    while (position < statement.size() && std::iswdigit(static_cast<wint_t>(statement[position]))) {
        ++position;
    }
    if (position == countStart || position == statement.size() || !IsBlank(statement[position])) {
        return std::wstring(statement);
    }
    std::wstring_view count = statement.substr(countStart, position - countStart);
    std::wstring_view rest = statement.substr(position);
    while (!rest.empty() && (IsBlank(rest.back()) || rest.back() == L';')) {
        rest.remove_suffix(1);
    }
    std::wstring rewritten(statement.substr(selectStart, afterSelect - selectStart));
    rewritten.append(rest.substr(1));
    rewritten.append(L" LIMIT ").append(count);
    return rewritten;
}

}  // namespace odbc
