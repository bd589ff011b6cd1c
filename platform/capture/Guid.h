// Parsing "{63610682-5070-49AB-B8CC-B3855E8D221D}" into the 16-byte wire order of a GUID.
#pragma once

#include <optional>
#include <string_view>

#include "platform/capture/KsControl.h"

namespace capture {

std::optional<Guid> ParseGuid(std::string_view text);

}  // namespace capture
