// status, echo and resend.
#include "archive/ArchiveCommands.h"

#include <charconv>
#include <optional>

#include "archive/ArchiveLink.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSettings.h"

namespace {

std::optional<ArchiveSettings> Settings(std::ostream& err) {
    std::string problem;
    auto settings = ReadArchiveSettings(problem);
    if (!settings) {
        err << "archive: off: " << (problem.empty() ? "no archive configured" : problem) << "\n";
    }
    return settings;
}

int Status(std::ostream& out) {
    std::string problem;
    if (const auto settings = ReadArchiveSettings(problem)) {
        out << "archive: " << settings->calledAe << "@" << settings->host << ":" << settings->port
            << " (calling " << settings->callingAe << ")\n";
    } else {
        out << "archive: off" << (problem.empty() ? "" : ": " + problem) << "\n";
    }
    ArchiveQueue queue(ArchiveQueue::DefaultFolder());
    const auto pending = queue.Pending();
    out << "waiting: " << pending.size() << "\n";
    for (const QueuedItem& queued : pending) {
        out << "  " << queued.id;
        if (queued.readable) {
            out << "  patient " << queued.item.customerSerialNumber << "  "
                << queued.item.captureName;
        }
        if (!queued.reason.empty()) {
            out << "  reason: " << queued.reason;
        }
        out << "\n";
    }
    out << "sent: " << queue.Sent().size() << "\n";
    out << "dropped (deleted before sending): " << queue.Dropped().size() << "\n";
    return 0;
}

int Echo(std::ostream& out, std::ostream& err) {
    const auto settings = Settings(err);
    if (!settings) {
        return 1;
    }
    ArchiveLink link(*settings);
    std::string error;
    if (!link.Open(error) || !link.Echo(error)) {
        err << "echo: " << error << "\n";
        return 1;
    }
    out << "echo: " << settings->calledAe << "@" << settings->host << ":" << settings->port
        << " answered\n";
    return 0;
}

int Resend(const std::string& serialText, std::ostream& out, std::ostream& err) {
    int32_t serial = 0;
    const auto [rest, code] =
        std::from_chars(serialText.data(), serialText.data() + serialText.size(), serial);
    if (code != std::errc() || rest != serialText.data() + serialText.size() || serial <= 0) {
        err << "resend: \"" << serialText << "\" is not a patient serial number\n";
        return 2;
    }
    ArchiveQueue queue(ArchiveQueue::DefaultFolder());
    std::string error;
    const int count = queue.Resend(serial, error);
    if (count < 0) {
        err << "resend: " << error << "\n";
        return 1;
    }
    out << "resend: " << count << " capture(s) of patient " << serial << " queued\n";
    return 0;
}

}  // namespace

std::string ArchiveCommandUsage() {
    return "usage: sorvanti-dicom status | echo | resend <patient serial> | run\n";
}

int RunArchiveCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
    if (arguments.size() == 1 && arguments[0] == "status") {
        return Status(out);
    }
    if (arguments.size() == 1 && arguments[0] == "echo") {
        return Echo(out, err);
    }
    if (arguments.size() == 2 && arguments[0] == "resend") {
        return Resend(arguments[1], out, err);
    }
    err << ArchiveCommandUsage();
    return 2;
}
