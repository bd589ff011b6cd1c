// The mail client's command line in its two forms: as the log shows it, with every value pasted
// in as given, and as it is run, with every value escaped so that the command-line splitter
// (platform/sys/CommandLine.h) gives it back as one argument. For ordinary values (no quote, no
// backslash before a quote or at the end, no '%' or '&' in address, subject or body) the two are
// the same text. Pure.
#pragma once

#include <string>

namespace mail {

struct OutlookCommandLine {
    std::wstring message;  // "\"<address>&subject=<subject>&body=<body>\"", values as given
    std::wstring logged;   // the whole line, values as given
    std::wstring run;      // the whole line, values escaped
};

// The line that starts "<folder>OUTLOOK.EXE" (the folder is expected to end in '/') with a new
// message from `address`, `subject` and `body`, and with `attachment` attached unless it is
// null. In the run form the message's values have '%' and '&' as %25 and %26 (they are
// percent-decoded as in a mail link), and each of the message and the attachment is quoted for
// the splitter. The folder is used unchanged in both: it cannot hold a quote.
OutlookCommandLine BuildOutlookCommandLine(const std::wstring& folder, const std::wstring& address,
                                           const std::wstring& subject, const std::wstring& body,
                                           const std::wstring* attachment);

}  // namespace mail
