// OUTLOOK.EXE, the mail adapter: started by the mail hand-off with the mail client's command
// line, it becomes the desktop's mail composer (xdg-email, found in PATH) with the message's
// subject, body, address and attachment, so the composer's exit status is the adapter's.
//
// Exit status: the composer's; 1 when the command line is not understood; 3 when the composer
// cannot be started (the codes of the xdg tools for a syntax error and a missing tool).
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "review/mail/adapter/ComposerArguments.h"

namespace {
constexpr int kSyntaxError = 1;
constexpr int kComposerMissing = 3;
}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<std::vector<std::string>> composer = mail::ComposerArguments(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), error);
    if (!composer) {
        std::fprintf(stderr, "OUTLOOK.EXE: %s\n", error.c_str());
        return kSyntaxError;
    }
    std::vector<char*> arguments;
    for (const std::string& argument : *composer) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    ::execvp(arguments[0], arguments.data());
    std::fprintf(stderr, "OUTLOOK.EXE: cannot start %s: %s\n", arguments[0], std::strerror(errno));
    return kComposerMissing;
}
