// Reading a registry string into the 260-byte buffer the callers expect.
#include "platform/sys/Registry.h"
#include "utility/system/System.h"

namespace {
// 260 bytes of two-byte characters, the last one the terminating zero.
constexpr size_t kMaximumCharacters = 129;
}  // namespace

bool UTILITY_GetRegistryKeyString(const std::wstring& keyPath, const std::wstring& valueName,
                                  std::wstring& value) {
    const std::optional<std::wstring> read =
        sys::ReadRegistryString(sys::RegistryRoot::kLocalMachine, keyPath, valueName);
    if (!read || read->size() > kMaximumCharacters) {
        return false;
    }
    value = *read;
    return true;
}
