// Reading and checking the archive's registry key.
#include "archive/ArchiveSettings.h"

#include <algorithm>
#include <charconv>

#include "platform/sys/Registry.h"
#include "platform/text/Text.h"

namespace {

std::optional<std::string> Value(const wchar_t* name) {
    const auto value =
        sys::ReadRegistryString(sys::RegistryRoot::kLocalMachine, kArchiveRegistryKey, name);
    if (!value) {
        return std::nullopt;
    }
    return text::ToUtf8(*value);
}

bool IsAeTitle(const std::string& title) {
    return !title.empty() && title.size() <= 16 &&
           std::all_of(title.begin(), title.end(), [](char c) { return c >= 0x20 && c < 0x7f; }) &&
           title.find('\\') == std::string::npos;
}

}  // namespace

std::optional<ArchiveSettings> ReadArchiveSettings(std::string& problem) {
    problem.clear();
    ArchiveSettings settings;
    const auto host = Value(L"Host");
    if (!host || host->empty()) {
        return std::nullopt;
    }
    settings.host = *host;
    if (const auto port = Value(L"Port")) {
        unsigned number = 0;
        const auto [rest, error] =
            std::from_chars(port->data(), port->data() + port->size(), number);
        if (error != std::errc() || rest != port->data() + port->size() || number == 0 ||
            number > 65535) {
            problem = "Port \"" + *port + "\" is not a port number";
            return std::nullopt;
        }
        settings.port = static_cast<uint16_t>(number);
    }
    settings.calledAe = Value(L"CalledAE").value_or("");
    if (const auto calling = Value(L"CallingAE")) {
        settings.callingAe = *calling;
    }
    for (const std::string* title : {&settings.calledAe, &settings.callingAe}) {
        if (!IsAeTitle(*title)) {
            problem = "AE title \"" + *title + "\" is not 1 to 16 printable characters";
            return std::nullopt;
        }
    }
    settings.resendChangedComments = Value(L"ResendChangedComments").value_or("0") == "1";
    return settings;
}
