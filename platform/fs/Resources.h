// Resources compiled into the program, found by (type, numeric id): dialog templates, pictures,
// the database template, the driver package. One mechanism for all of them: the CMake function
// sorvanti_embed_resource() compiles a file into an object library and registers it here at
// static initialisation; a program sees the resources of the object libraries it links.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace resources {

// The bytes of resource (type, id), or nullopt when the program carries none.
std::optional<std::span<const std::byte>> Find(std::string_view type, uint16_t id);

// Registers one resource; generated code creates one static instance per embedded file.
// `type` must outlive the program (a string literal).
class Registration {
  public:
    Registration(const char* type, uint16_t id, const std::byte* begin, const std::byte* end);
};

}  // namespace resources
