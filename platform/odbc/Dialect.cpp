#include "platform/odbc/Dialect.h"

#include <cwctype>

namespace odbc {
namespace {

bool IsBlank(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

bool IsWordCharacter(wchar_t c) {
    return std::iswalnum(static_cast<wint_t>(c)) != 0 || c == L'_' || c == L'$';
}

wchar_t Upper(wchar_t c) {
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

bool EqualsUpper(std::wstring_view text, std::wstring_view upperWord) {
    if (text.size() != upperWord.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Upper(text[i]) != upperWord[i]) {
            return false;
        }
    }
    return true;
}

// Consumes `word` (case-insensitive) at `position` followed by at least one blank.
bool ConsumeKeyword(std::wstring_view text, std::size_t& position, std::wstring_view word) {
    if (text.size() - position <= word.size() ||
        !EqualsUpper(text.substr(position, word.size()), word)) {
        return false;
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

std::wstring RewriteTop(std::wstring_view statement) {
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

// One piece of a statement: a word, a quoted literal or identifier, or one other character.
struct Token {
    std::size_t start = 0;
    std::size_t length = 0;
    bool word = false;
};

Token NextToken(std::wstring_view text, std::size_t position) {
    Token token{position, 1, false};
    const wchar_t first = text[position];
    if (first == L'\'' || first == L'"') {
        // A doubled quote stands for one inside the literal.
        std::size_t end = position + 1;
        while (end < text.size()) {
            if (text[end] == first) {
                if (end + 1 < text.size() && text[end + 1] == first) {
                    end += 2;
                    continue;
                }
                ++end;
                break;
            }
            ++end;
        }
        token.length = end - position;
    } else if (IsWordCharacter(first)) {
        std::size_t end = position;
        while (end < text.size() && IsWordCharacter(text[end])) {
            ++end;
        }
        token.length = end - position;
        token.word = true;
    }
    return token;
}

// Where the pattern operand of a LIKE ends: at the first word, comparison or punctuation of
// the operand's own bracket level that binds more loosely than LIKE.
bool EndsLikeOperand(std::wstring_view token, bool word, int depth) {
    static constexpr std::wstring_view kLooserWords[] = {
        L"AND",    L"OR",    L"NOT",    L"IS",    L"ORDER",  L"GROUP",
        L"HAVING", L"LIMIT", L"OFFSET", L"UNION", L"EXCEPT", L"INTERSECT",
        L"THEN",   L"ELSE",  L"END",    L"WHEN",  L"ESCAPE"};
    if (depth != 0) {
        return false;
    }
    if (word) {
        for (std::wstring_view looser : kLooserWords) {
            if (EqualsUpper(token, looser)) {
                return true;
            }
        }
        return false;
    }
    return token.find_first_of(L",;=<>!)") == 0;
}

// Every LIKE outside quoted texts and names becomes ILIKE, its pattern followed by ESCAPE ''
// unless it names an escape character itself.
std::wstring RewriteLike(std::wstring_view statement) {
    std::wstring rewritten;
    rewritten.reserve(statement.size() + 16);
    bool inOperand = false;
    int depth = 0;
    std::size_t position = 0;
    auto closeOperand = [&](std::wstring_view terminator, bool word) {
        if (!(word && EqualsUpper(terminator, L"ESCAPE"))) {
            while (!rewritten.empty() && IsBlank(rewritten.back())) {
                rewritten.pop_back();
            }
            rewritten.append(L" ESCAPE '' ");
        }
        inOperand = false;
    };
    while (position < statement.size()) {
        const Token token = NextToken(statement, position);
        const std::wstring_view text = statement.substr(token.start, token.length);
        if (inOperand) {
            if (EndsLikeOperand(text, token.word, depth)) {
                closeOperand(text, token.word);
            } else if (text == L"(") {
                ++depth;
            } else if (text == L")") {
                --depth;
            }
        }
        if (token.word && EqualsUpper(text, L"LIKE")) {
            rewritten.append(L"ILIKE");
            inOperand = true;
            depth = 0;
        } else {
            rewritten.append(text);
        }
        position += token.length;
    }
    if (inOperand) {
        closeOperand(L"", false);
        while (!rewritten.empty() && IsBlank(rewritten.back())) {
            rewritten.pop_back();
        }
    }
    return rewritten;
}

}  // namespace

std::wstring ApplyDialect(Engine engine, std::wstring_view statement) {
    std::wstring rewritten = RewriteTop(statement);
    if (engine == Engine::kPostgres) {
        rewritten = RewriteLike(rewritten);
    }
    return rewritten;
}

std::wstring_view LastInsertIdStatement(Engine engine) {
    switch (engine) {
        case Engine::kPostgres:
            // The last value this session drew from any sequence: the identity of its insert.
            return L"SELECT lastval()";
        case Engine::kSqlite:
            break;
    }
    return L"SELECT last_insert_rowid()";
}

}  // namespace odbc
