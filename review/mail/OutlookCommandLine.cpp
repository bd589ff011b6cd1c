// Building the mail client's command line.
#include "review/mail/OutlookCommandLine.h"

#include <string_view>

#include "platform/text/Format.h"

namespace mail {
namespace {

// The message part separates its fields with '&' and is percent-decoded by the client.
std::wstring EncodeField(std::wstring_view value) {
    std::wstring encoded;
    for (const wchar_t c : value) {
        if (c == L'%') {
            encoded += L"%25";
        } else if (c == L'&') {
            encoded += L"%26";
        } else {
            encoded += c;
        }
    }
    return encoded;
}

// `argument` in quotes, so that the splitter returns it unchanged: a quote gets a backslash
// before it, and a run of backslashes is doubled where it stands before a quote (its own or the
// closing one). Blanks, tabs and line ends need nothing inside the quotes.
std::wstring QuoteArgument(std::wstring_view argument) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted += L'"';
    return quoted;
}

}  // namespace

OutlookCommandLine BuildOutlookCommandLine(const std::wstring& folder, const std::wstring& address,
                                           const std::wstring& subject, const std::wstring& body,
                                           const std::wstring* attachment) {
    const std::wstring start = text::sprintf(L"\"%sOUTLOOK.EXE\"", folder) + L" /c ipm.note /m ";
    OutlookCommandLine line;
    line.message = text::sprintf(L"\"%s&subject=%s&body=%s\"", address, subject, body);
    line.logged = start + line.message;
    line.run = start + QuoteArgument(EncodeField(address) + L"&subject=" + EncodeField(subject) +
                                     L"&body=" + EncodeField(body));
    if (attachment != nullptr) {
        line.logged += text::sprintf(L" /a \"%s\"", *attachment);
        line.run += L" /a " + QuoteArgument(*attachment);
    }
    return line;
}

}  // namespace mail
