// Numeric ids and type names of the program's embedded resources.
#pragma once

#include <cstdint>

namespace resources {

// The database template placed at database/medical_record_access.mdb when no file exists.
inline constexpr char kTemplateType[] = "TEMPLATE";
inline constexpr uint16_t kDatabaseTemplateId = 3002;

}  // namespace resources
