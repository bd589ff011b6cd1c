// A value bound to a statement's "?" marker: a 32-bit number or a text.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace odbc {

using Parameter = std::variant<int32_t, std::wstring>;

}  // namespace odbc
