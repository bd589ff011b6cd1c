// The mail adapter's one rule: the mail client's command line, as the mail hand-off writes it,
// turned into the argument vector of the desktop's mail composer, xdg-email.
//
//   OUTLOOK.EXE /c ipm.note /m "<address>&subject=<subject>&body=<body>" /a "<file>"
//   xdg-email --utf8 [--to <address>] [--subject <subject>] [--body <body>] [--attach <file>]
//
// Switches are compared without regard to case and may come in any order; each at most once.
// /c must name ipm.note (a new message), /m and /a are optional. The message's first field is
// the address, the others are subject= and body=; values are percent-decoded (%26 is '&', %25
// '%'; a '%' without two hex digits after it stays, and so does %00, since an argument cannot
// carry a zero byte). Empty values are left out, since the composer refuses them. The address
// goes with --to, which takes any text as an address, never as an option or a link. --utf8: the
// values are UTF-8 whatever the locale. Every value stays one argument: nothing is ever given to
// a shell. Pure.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mail {

// The composer's arguments, "xdg-email" first, for `switches` (the adapter's arguments after
// its own name); nullopt and a one-line reason in `error` when they are not understood.
std::optional<std::vector<std::string>> ComposerArguments(const std::vector<std::string>& switches,
                                                          std::string& error);

}  // namespace mail
