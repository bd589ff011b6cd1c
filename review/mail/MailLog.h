// The diagnostic log as the mail hand-off writes it: where it is and the line that frames each
// block.
#pragma once

#include <string>

namespace mail {

inline constexpr wchar_t kLogSeparator[] = L"-------------";

// The program folder and "Sorvanti_LOG.ini" joined with "%s/%s", formed anew at every call.
std::wstring LogPath();

}  // namespace mail
