// Writing and reading the text form of a queued item.
#include "archive/ArchiveItemText.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

namespace {

std::string Escape(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Unescape(std::string_view value) {
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const char next = value[++i];
        plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return plain;
}

// The text fields in the order they are written.
std::vector<std::pair<const char*, std::string ArchiveItem::*>> TextFields() {
    return {{"pid", &ArchiveItem::pid},
            {"name", &ArchiveItem::patientName},
            {"visitFirst", &ArchiveItem::visitFirst},
            {"capture", &ArchiveItem::captureName},
            {"camera", &ArchiveItem::cameraName},
            {"cameraId", &ArchiveItem::cameraIdentity},
            {"comment", &ArchiveItem::comment},
            {"session", &ArchiveItem::session}};
}

}  // namespace

bool IsCaptureName(std::string_view name) {
    return name.size() == 14 && (name.front() == 'P' || name.front() == 'V') &&
           std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ItemToText(const ArchiveItem& item) {
    std::string text = "serial=" + std::to_string(item.customerSerialNumber) + "\n";
    text += "version=" + std::to_string(item.version) + "\n";
    for (const auto& [key, field] : TextFields()) {
        text += std::string(key) + "=" + Escape(item.*field) + "\n";
    }
    return text;
}

std::optional<ArchiveItem> ItemFromText(std::string_view text) {
    ArchiveItem item;
    bool haveSerial = false;
    const auto fields = TextFields();
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "version") {
            const auto [rest, error] =
                std::from_chars(value.data(), value.data() + value.size(), item.version);
            if (error != std::errc() || rest != value.data() + value.size() || item.version < 0) {
                return std::nullopt;
            }
            continue;
        }
        if (key == "serial") {
            const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(),
                                                       item.customerSerialNumber);
            haveSerial = error == std::errc() && rest == value.data() + value.size() &&
                         item.customerSerialNumber > 0;
            continue;
        }
        for (const auto& [name, field] : fields) {
            if (key == name) {
                item.*field = Unescape(value);
            }
        }
    }
    if (!haveSerial || !IsCaptureName(item.captureName)) {
        return std::nullopt;
    }
    return item;
}

std::string BatchToText(const std::vector<ArchiveItem>& items) {
    std::string text;
    for (const ArchiveItem& item : items) {
        text += ItemToText(item) + "--\n";
    }
    return text;
}

std::vector<std::string> SplitBatch(std::string_view text) {
    std::vector<std::string> items;
    std::string current;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line == "--") {
            items.push_back(std::move(current));
            current.clear();
        } else {
            current += std::string(line) + "\n";
        }
    }
    if (!current.empty()) {
        items.push_back(std::move(current));
    }
    return items;
}
