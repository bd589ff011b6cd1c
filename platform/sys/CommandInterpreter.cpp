// The command interpreter: "start" and program aliases over Process.
#include "platform/sys/CommandInterpreter.h"

#include <cwctype>
#include <map>
#include <mutex>
#include <vector>

#include "platform/sys/CommandLine.h"
#include "platform/sys/Process.h"

namespace sys {
namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower;
}

struct Aliases {
    std::mutex lock;
    std::map<std::wstring, std::wstring> programs;
};

const std::map<std::wstring, std::wstring>& DesktopAliases() {
    static const std::map<std::wstring, std::wstring> aliases{
        {L"wmplayer", L"xdg-open"},
        {L"wmplayer.exe", L"xdg-open"},
    };
    return aliases;
}

Aliases& CurrentAliases() {
    static Aliases aliases{{}, DesktopAliases()};
    return aliases;
}

std::wstring MapProgram(const std::wstring& program) {
    Aliases& aliases = CurrentAliases();
    std::lock_guard guard(aliases.lock);
    const auto found = aliases.programs.find(Lower(program));
    return found == aliases.programs.end() ? program : found->second;
}

}  // namespace

bool RunCommandText(std::wstring_view command) {
    const std::vector<CommandArgument> split = SplitCommandLine(command);
    size_t first = 0;
    const bool detached = !split.empty() && !split[0].quoted && Lower(split[0].text) == L"start";
    if (detached) {
        first = 1;
        if (split.size() > 1 && split[1].quoted) {
            first = 2;
        }
    }
    if (first >= split.size()) {
        return false;
    }
    std::vector<std::wstring> arguments;
    for (size_t i = first; i < split.size(); ++i) {
        arguments.push_back(split[i].text);
    }
    arguments[0] = MapProgram(arguments[0]);
    std::optional<Process> process = Process::Start(arguments);
    if (!process) {
        return false;
    }
    if (!detached) {
        process->Wait(-1);
    }
    return true;
}

namespace testing {

void SetProgramAlias(const std::wstring& alias, const std::wstring& program) {
    Aliases& aliases = CurrentAliases();
    std::lock_guard guard(aliases.lock);
    aliases.programs[Lower(alias)] = program;
}

void ResetProgramAliases() {
    Aliases& aliases = CurrentAliases();
    std::lock_guard guard(aliases.lock);
    aliases.programs = DesktopAliases();
}

}  // namespace testing
}  // namespace sys
