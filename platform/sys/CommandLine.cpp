// The command-line splitter.
#include "platform/sys/CommandLine.h"

namespace sys {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

void SkipBlanks(std::wstring_view line, size_t& at) {
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
}

// The program name: no backslash rules, one quoted part at most.
CommandArgument ReadProgramName(std::wstring_view line, size_t& at) {
    CommandArgument argument;
    if (line[at] == L'"') {
        argument.quoted = true;
        const size_t end = line.find(L'"', at + 1);
        const size_t stop = end == std::wstring_view::npos ? line.size() : end;
        argument.text = line.substr(at + 1, stop - at - 1);
        at = end == std::wstring_view::npos ? line.size() : end + 1;
    }
    while (at < line.size() && !IsBlank(line[at])) {
        argument.text += line[at++];
    }
    return argument;
}

CommandArgument ReadArgument(std::wstring_view line, size_t& at) {
    CommandArgument argument;
    bool inQuotes = false;
    while (at < line.size() && (inQuotes || !IsBlank(line[at]))) {
        const wchar_t c = line[at];
        if (c == L'\\') {
            size_t backslashes = 0;
            while (at < line.size() && line[at] == L'\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == L'"') {
                argument.text.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument.text += L'"';
                    ++at;
                }
            } else {
                argument.text.append(backslashes, L'\\');
            }
            continue;
        }
        if (c == L'"') {
            argument.quoted = true;
            if (inQuotes && at + 1 < line.size() && line[at + 1] == L'"') {
                argument.text += L'"';
                at += 2;
                continue;
            }
            inQuotes = !inQuotes;
            ++at;
            continue;
        }
        argument.text += c;
        ++at;
    }
    return argument;
}

}  // namespace

std::vector<CommandArgument> SplitCommandLine(std::wstring_view commandLine) {
    std::vector<CommandArgument> arguments;
    size_t at = 0;
    SkipBlanks(commandLine, at);
    if (at == commandLine.size()) {
        return arguments;
    }
    arguments.push_back(ReadProgramName(commandLine, at));
    for (SkipBlanks(commandLine, at); at < commandLine.size(); SkipBlanks(commandLine, at)) {
        arguments.push_back(ReadArgument(commandLine, at));
    }
    return arguments;
}

}  // namespace sys
