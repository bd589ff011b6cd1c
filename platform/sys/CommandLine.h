// Splitting a command line written the way the program's command texts are written (one
// string, arguments separated by blanks, double quotes around arguments that hold blanks) into
// its arguments, with the quoting rules of the platform those texts come from:
//
//   - the program name runs to the first blank, or from a leading quote to the next quote,
//     and backslashes in it are taken literally;
//   - in the other arguments 2n backslashes before a quote give n backslashes and the quote
//     opens or closes a quoted part; 2n + 1 backslashes before a quote give n backslashes and
//     a literal quote; backslashes before anything else are literal;
//   - inside a quoted part, two quotes give one literal quote.
//
// Nothing is expanded: no variables, no wildcards, no redirection. Pure and thread-safe.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sys {

struct CommandArgument {
    std::wstring text;
    bool quoted = false;  // a quote appeared in it (the "title" rule of start)
};

std::vector<CommandArgument> SplitCommandLine(std::wstring_view commandLine);

}  // namespace sys
