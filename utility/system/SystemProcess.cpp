// Starting programs and command texts.
#include <optional>
#include <vector>

#include "platform/sys/CommandInterpreter.h"
#include "platform/sys/CommandLine.h"
#include "platform/sys/Process.h"
#include "utility/system/System.h"

int32_t UTILITY_RunProgram(std::wstring& commandLine, int32_t timeoutMilliseconds) {
    std::vector<std::wstring> arguments;
    for (const sys::CommandArgument& argument : sys::SplitCommandLine(commandLine)) {
        arguments.push_back(argument.text);
    }
    std::optional<sys::Process> process = sys::Process::Start(arguments);
    if (!process) {
        return 0;
    }
    if (timeoutMilliseconds > 0) {
        process->Wait(timeoutMilliseconds);
    }
    return 1;
}

void UTILITY_RunCommand(const std::wstring& command) {
    sys::RunCommandText(command);
}
