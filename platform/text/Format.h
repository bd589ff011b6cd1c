// printf-style formatting of the program's fixed formats ("%04d-%s-%s", "%s/%s/%d/images/"),
// narrow or wide, through {fmt}. Never swprintf: in glibc its %s reads a narrow string.
#pragma once

#include <fmt/printf.h>
#include <fmt/xchar.h>

namespace text {

using fmt::sprintf;

}  // namespace text
