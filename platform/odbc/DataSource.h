// Per-user data-source registration through the ODBC installer.
#pragma once

#include <cstdint>
#include <string>

namespace odbc {

// Installer requests.
inline constexpr uint16_t kAddDataSource = 1;  // add, or update an existing one

// Registers a per-user data source for `driver` from an attribute list of "KEY=value" entries
// separated by NUL characters and ended by an empty entry ("DSN=x\0DBQ=y\0\0"), as a driver's
// setup routine would: the SQLite3 driver has none, so the entries are written with the
// installer's profile functions, its DSN key and the database path (DBQ) translated to the
// driver's keys, together with the engine settings two running programs need to share one
// file (write-ahead journal, full sync, a busy time-out), the rule that a missing file is
// never created empty, and reads that step through their rows as they are fetched. Writes
// $ODBCINI when set, else ~/.odbc.ini. Returns false when the request is not an add, DSN is
// missing, or the installer fails.
bool ConfigDataSource(uint16_t request, const std::wstring& driver, const std::wstring& attributes);

}  // namespace odbc
