// Reads the record store's database settings from the registry.
#include "records/DatabaseSettings.h"

#include "platform/sys/Registry.h"

namespace {

constexpr wchar_t kDatabaseKey[] = L"SOFTWARE\\Sorvanti\\Database";

}  // namespace

DatabaseSettings ReadDatabaseSettings() {
    DatabaseSettings settings;
    settings.dataSource =
        sys::ReadRegistryString(sys::RegistryRoot::kLocalMachine, kDatabaseKey, L"DataSource")
            .value_or(L"");
    return settings;
}
