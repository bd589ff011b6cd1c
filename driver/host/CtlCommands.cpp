// The command table of ostrelctl and the request layouts it builds.
#include "driver/host/CtlCommands.h"

#include <fmt/format.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "driver/OstrelPublic.h"

namespace ostrel::ctl {
namespace {

void AppendLe(std::vector<uint8_t>& bytes, uint64_t value, uint8_t size) {
    for (uint8_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

uint64_t LoadLe(std::span<const uint8_t> bytes, size_t at, uint8_t size) {
    uint64_t value = 0;
    for (uint8_t i = 0; i < size && at + i < bytes.size(); ++i) {
        value |= static_cast<uint64_t>(bytes[at + i]) << (8 * i);
    }
    return value;
}

// Argument fields in order, then the filled fields as zeros; output as long as the input.
std::optional<Request> BuildFields(const Command& command, std::span<const std::string> arguments) {
    if (arguments.size() != command.ArgumentFields.size()) {
        return std::nullopt;
    }
    Request request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        uint8_t size = command.ArgumentFields[i];
        auto value =
            ParseNumber(arguments[i], size == 8 ? UINT64_MAX : (uint64_t{1} << (8 * size)) - 1);
        if (!value) {
            return std::nullopt;
        }
        AppendLe(request.Input, *value, size);
    }
    for (uint8_t size : command.FilledFields) {
        AppendLe(request.Input, 0, size);
    }
    request.OutputLength = static_cast<uint32_t>(request.Input.size());
    return request;
}

// Commands that return no data.
std::string ShowNothing(std::span<const uint8_t>) {
    return {};
}

// The last filled field of the layout, as a number.
template <size_t Offset, uint8_t Size>
std::string ShowNumber(std::span<const uint8_t> output) {
    if (output.size() < Offset + Size) {
        return "(short reply)";
    }
    uint64_t value = LoadLe(output, Offset, Size);
    return fmt::format("0x{:0{}x} ({})", value, Size * 2, value);
}

std::string ShowBytes(std::span<const uint8_t> output) {
    return FormatHex(output);
}

// TYPE REQUEST VALUE INDEX [HEXDATA | LENGTH]: an OUT type sends HEXDATA, an IN type reads
// LENGTH bytes.
std::optional<Request> BuildControlTransfer(const Command&,
                                            std::span<const std::string> arguments) {
    if (arguments.size() != 5) {
        return std::nullopt;
    }
    auto type = ParseNumber(arguments[0], 0xFF);
    auto request = ParseNumber(arguments[1], 0xFF);
    auto value = ParseNumber(arguments[2], 0xFFFF);
    auto index = ParseNumber(arguments[3], 0xFFFF);
    if (!type || !request || !value || !index) {
        return std::nullopt;
    }
    std::vector<uint8_t> data;
    if (*type & 0x80) {
        auto length = ParseNumber(arguments[4], 0xFFFF);
        if (!length) {
            return std::nullopt;
        }
        data.resize(*length);
    } else {
        auto bytes = ParseHex(arguments[4]);
        if (!bytes || bytes->size() > 0xFFFF) {
            return std::nullopt;
        }
        data = *bytes;
    }
    Request built;
    AppendLe(built.Input, *type, 1);
    AppendLe(built.Input, *request, 1);
    AppendLe(built.Input, *value, 2);
    AppendLe(built.Input, *index, 2);
    AppendLe(built.Input, data.size(), 2);
    built.Input.insert(built.Input.end(), data.begin(), data.end());
    built.OutputLength = static_cast<uint32_t>(built.Input.size());
    return built;
}

std::string ShowControlData(std::span<const uint8_t> output) {
    return output.size() > 8 ? FormatHex(output.subspan(8)) : std::string();
}

// [LENGTH]: 32 bytes unless given (the eight-port programmer takes any length).
std::optional<Request> BuildReadBlock(const Command&, std::span<const std::string> arguments) {
    std::optional<uint64_t> length = OSTREL_BLOCK_SIZE;
    if (arguments.size() > 1) {
        return std::nullopt;
    }
    if (arguments.size() == 1) {
        length = ParseNumber(arguments[0], 0xFFFF);
    }
    if (!length || *length == 0) {
        return std::nullopt;
    }
    return Request{std::vector<uint8_t>(*length), static_cast<uint32_t>(*length)};
}

std::optional<Request> BuildWriteBlock(const Command&, std::span<const std::string> arguments) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    auto bytes = ParseHex(arguments[0]);
    if (!bytes || bytes->empty()) {
        return std::nullopt;
    }
    return Request{*bytes, static_cast<uint32_t>(bytes->size())};
}

// REGISTER BYTE, with the two reserved bytes between them.
std::optional<Request> BuildVdmWrite(const Command&, std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        return std::nullopt;
    }
    auto address = ParseNumber(arguments[0], 0xFFFF);
    auto data = ParseNumber(arguments[1], 0xFF);
    if (!address || !data) {
        return std::nullopt;
    }
    Request request;
    AppendLe(request.Input, *address, 2);
    AppendLe(request.Input, 0, 2);
    AppendLe(request.Input, *data, 1);
    request.OutputLength = static_cast<uint32_t>(request.Input.size());
    return request;
}

std::optional<Request> BuildNothing(const Command&, std::span<const std::string> arguments) {
    return arguments.empty() ? std::optional<Request>(Request{}) : std::nullopt;
}

const std::vector<Command>& Table() {
    static const std::vector<Command> table = {
        {"read-register", IOCTL_READ_REGISTER, "ADDRESS", BuildFields, ShowNumber<4, 4>, {4}, {4}},
        {"write-register",
         IOCTL_WRITE_REGISTER,
         "ADDRESS VALUE",
         BuildFields,
         ShowNothing,
         {4, 4},
         {}},
        {"bus-read",
         IOCTL_BUS_READ_BYTE,
         "TARGET OFFSET",
         BuildFields,
         ShowNumber<3, 1>,
         {1, 2},
         {1}},
        {"bus-write",
         IOCTL_BUS_WRITE,
         "TARGET OFFSET DATA",
         BuildFields,
         ShowNothing,
         {1, 2, 4},
         {}},
        {"control",
         IOCTL_CONTROL_TRANSFER,
         "TYPE REQUEST VALUE INDEX HEXDATA|LENGTH",
         BuildControlTransfer,
         ShowControlData,
         {},
         {}},
        {"read-block", IOCTL_READ_BLOCK, "[LENGTH]", BuildReadBlock, ShowBytes, {}, {}},
        {"write-block", IOCTL_WRITE_BLOCK, "HEXDATA", BuildWriteBlock, ShowNothing, {}, {}},
        {"vdm-read",
         IOCTL_VDM_READ_REGISTER,
         "REGISTER",
         BuildFields,
         ShowNumber<4, 1>,
         {2},
         {2, 1}},
        {"vdm-write",
         IOCTL_VDM_WRITE_REGISTER,
         "REGISTER BYTE",
         BuildVdmWrite,
         ShowNothing,
         {},
         {}},
        {"port-connected", IOCTL_GET_PORT_CONNECTED, "", BuildFields, ShowNumber<0, 4>, {}, {4}},
        {"send-value", IOCTL_SEND_VALUE_AND_WAIT, "VALUE", BuildFields, ShowNumber<4, 1>, {4}, {1}},
        {"read-dword", IOCTL_READ_DWORD, "", BuildFields, ShowNumber<0, 4>, {}, {4}},
        {"read-byte", IOCTL_READ_BYTE, "", BuildFields, ShowNumber<0, 1>, {}, {1}},
        {"trigger", IOCTL_SEND_TRIGGER, "", BuildNothing, ShowNothing, {}, {}},
        {"write-word", IOCTL_WRITE_WORD, "VALUE", BuildFields, ShowNothing, {2}, {}},
        {"read-indexed", IOCTL_READ_INDEXED_BYTE, "INDEX", BuildFields, ShowNumber<2, 1>, {2}, {1}},
        {"write-indexed",
         IOCTL_WRITE_INDEXED_BYTE,
         "INDEX BYTE",
         BuildFields,
         ShowNothing,
         {2, 1},
         {}},
        {"select-port", IOCTL_SELECT_PORT, "PORT", BuildFields, ShowNothing, {1}, {}},
        {"get-selected-port", IOCTL_GET_SELECTED_PORT, "", BuildFields, ShowNumber<0, 1>, {}, {1}},
        {"get-connection-mask",
         IOCTL_GET_CONNECTION_MASK,
         "",
         BuildFields,
         ShowNumber<0, 1>,
         {},
         {1}},
    };
    return table;
}

}  // namespace

std::span<const Command> Commands() {
    return Table();
}

const Command* FindCommand(std::string_view name) {
    for (const Command& command : Table()) {
        if (command.Name == name) {
            return &command;
        }
    }
    return nullptr;
}

std::optional<uint64_t> ParseNumber(std::string_view text, uint64_t maximum) {
    std::string copy(text);
    if (copy.empty() || copy[0] == '-' || copy[0] == '+') {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(copy.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value > maximum) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<uint8_t>> ParseHex(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        auto value = ParseNumber("0x" + std::string(text.substr(i, 2)), 0xFF);
        if (!value || !std::isxdigit(static_cast<unsigned char>(text[i]))) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(*value));
    }
    return bytes;
}

std::string FormatHex(std::span<const uint8_t> bytes) {
    std::string text;
    for (uint8_t byte : bytes) {
        text += fmt::format("{:02x}", byte);
    }
    return text;
}

}  // namespace ostrel::ctl
