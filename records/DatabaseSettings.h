// Where the record store keeps its rows: the machine's registry key
// HKEY_LOCAL_MACHINE\SOFTWARE\Sorvanti\Database may name a database server. Its values:
//
//   "DataSource"  an ODBC data source the administrator defined for the server (system
//                 odbc.ini); the record store connects to it instead of the embedded database
//                 file. Credentials stay with the data source and the driver's own means
//                 (.pgpass, peer authentication); the program never stores or logs a password.
//
// Without the key or with an empty value the record store uses its embedded database file in
// the program folder, as on a single workstation.
#pragma once

#include <string>

struct DatabaseSettings {
    std::wstring dataSource;  // empty: the embedded database file
};

// Reads the settings from the registry at every call; missing values read as empty.
DatabaseSettings ReadDatabaseSettings();
