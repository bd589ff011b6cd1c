// The commands of ostrelctl, one per device-control code: how each builds its request buffer
// from the command-line arguments and how its reply is shown.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/host/OstrelClient.h"

namespace ostrel::ctl {

struct Request {
    std::vector<uint8_t> Input;
    uint32_t OutputLength = 0;
};

struct Command {
    std::string_view Name;
    uint32_t IoControlCode;
    std::string_view Usage;  // the arguments
    // The request from the arguments; nullopt when they do not fit the command.
    std::optional<Request> (*Build)(const Command& command, std::span<const std::string> arguments);
    // The reply's output as text (empty when the command returns nothing).
    std::string (*Show)(std::span<const uint8_t> output);
    // Layout of simple commands: the sizes of the fields taken from the arguments, then the
    // sizes of the fields that the driver fills (sent as zeros).
    std::vector<uint8_t> ArgumentFields;
    std::vector<uint8_t> FilledFields;
};

std::span<const Command> Commands();
const Command* FindCommand(std::string_view name);

// Decimal or 0x-prefixed hexadecimal, no larger than `maximum`.
std::optional<uint64_t> ParseNumber(std::string_view text, uint64_t maximum);
// Pairs of hexadecimal digits.
std::optional<std::vector<uint8_t>> ParseHex(std::string_view text);
std::string FormatHex(std::span<const uint8_t> bytes);

}  // namespace ostrel::ctl
