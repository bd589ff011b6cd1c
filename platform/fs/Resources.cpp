// The table of embedded resources, filled by the static registrations of the generated code.
#include "platform/fs/Resources.h"

#include <map>
#include <string>
#include <utility>

namespace resources {
namespace {

using Key = std::pair<std::string, uint16_t>;

// Function-local so that registrations from any translation unit find it constructed.
std::map<Key, std::span<const std::byte>, std::less<>>& Table() {
    static std::map<Key, std::span<const std::byte>, std::less<>> table;
    return table;
}

}  // namespace

std::optional<std::span<const std::byte>> Find(std::string_view type, uint16_t id) {
    const auto& table = Table();
    auto it = table.find(Key{std::string(type), id});
    if (it == table.end()) {
        return std::nullopt;
    }
    return it->second;
}

Registration::Registration(const char* type, uint16_t id, const std::byte* begin,
                           const std::byte* end) {
    Table()[Key{type, id}] = std::span<const std::byte>(begin, end);
}

}  // namespace resources
