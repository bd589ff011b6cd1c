// Translating the mail client's switches into the mail composer's arguments.
#include "review/mail/adapter/ComposerArguments.h"

#include <map>
#include <string_view>

#include "platform/text/Text.h"

namespace mail {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// %XX is the byte XX, except %00: an argument cannot carry a zero byte.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    for (size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() ? text::HexDigitValue(text[at + 1]) : -1;
        const int low = at + 2 < text.size() ? text::HexDigitValue(text[at + 2]) : -1;
        if (text[at] == '%' && high >= 0 && low >= 0 && high + low > 0) {
            decoded += static_cast<char>(high * 16 + low);
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

struct Message {
    std::string address;
    std::string subject;
    std::string body;
};

// "<address>&subject=<subject>&body=<body>"; empty fields are skipped.
std::optional<Message> ReadMessage(std::string_view text, std::string& error) {
    const std::vector<std::string_view> fields = Split(text, '&');
    Message message;
    message.address = PercentDecoded(fields[0]);
    for (size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty()) {
            continue;
        }
        const size_t equals = fields[i].find('=');
        const std::string name =
            equals == std::string_view::npos ? std::string() : Lower(fields[i].substr(0, equals));
        std::string* value = name == "subject" ? &message.subject
                             : name == "body"  ? &message.body
                                               : nullptr;
        if (value == nullptr) {
            error = "unknown field '" + std::string(fields[i]) + "' in the message of /m";
            return std::nullopt;
        }
        *value = PercentDecoded(fields[i].substr(equals + 1));
    }
    return message;
}

}  // namespace

std::optional<std::vector<std::string>> ComposerArguments(const std::vector<std::string>& switches,
                                                          std::string& error) {
    std::map<std::string, std::string> values;
    for (size_t at = 0; at < switches.size(); at += 2) {
        const std::string name = Lower(switches[at]);
        if (name != "/c" && name != "/m" && name != "/a") {
            error = "unexpected argument '" + switches[at] + "'";
            return std::nullopt;
        }
        if (at + 1 == switches.size() || (name == "/a" && switches[at + 1].empty())) {
            error = "no value after " + name;
            return std::nullopt;
        }
        if (!values.emplace(name, switches[at + 1]).second) {
            error = name + " given twice";
            return std::nullopt;
        }
    }
    if (const auto kind = values.find("/c");
        kind != values.end() && Lower(kind->second) != "ipm.note") {
        error = "only new messages (/c ipm.note) can be composed, not '" + kind->second + "'";
        return std::nullopt;
    }
    Message message;
    if (const auto text = values.find("/m"); text != values.end()) {
        std::optional<Message> read = ReadMessage(text->second, error);
        if (!read) {
            return std::nullopt;
        }
        message = *read;
    }
    std::vector<std::string> composer{"xdg-email", "--utf8"};
    const auto add = [&composer](const char* option, const std::string& value) {
        if (!value.empty()) {
            composer.insert(composer.end(), {option, value});
        }
    };
    add("--to", message.address);
    add("--subject", message.subject);
    add("--body", message.body);
    if (const auto attachment = values.find("/a"); attachment != values.end()) {
        add("--attach", attachment->second);
    }
    return composer;
}

}  // namespace mail
