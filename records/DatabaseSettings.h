// Where the record store keeps its rows: the machine's registry key
// HKEY_LOCAL_MACHINE\SOFTWARE\Sorvanti\Database may name a database server. Its values:
//
//   "DataSource"  an ODBC data source the administrator defined for the server (system
//                 odbc.ini); the record store connects to it instead of the embedded database
//                 file. Credentials stay with the data source and the driver's own means
//                 (.pgpass, peer authentication); the program never stores or logs a password.
//   "DataFolder"  the folder, mounted by every workstation, below which the filed media lie
//                 (database/<serial>/..., database/id_photo/<serial>.bmp) in place of the
//                 program folder. Captures not yet filed (database/Temp) and the program's own
//                 files stay in the program folder. A relative path is taken below the program
//                 folder.
//   "Workstation" the name this workstation's capture names are tagged with when a DataFolder
//                 is set (see media::WorkstationTag); empty: the host name.
//   "SamplePatients" "1": a new server database gets the five sample patients of a new
//                 database file; otherwise (the default) it starts empty.
//
// Without the key or with empty values the record store uses its embedded database file and
// the media lie in the program folder, as on a single workstation.
#pragma once

#include <string>

struct DatabaseSettings {
    std::wstring dataSource;   // empty: the embedded database file
    std::wstring dataFolder;   // empty: the media below the program folder
    std::wstring workstation;  // empty: the host name
    bool samplePatients = false;
};

// Reads the settings from the registry at every call; missing values read as empty.
DatabaseSettings ReadDatabaseSettings();

// The folder the media tree's "database/" lies in: the DataFolder without trailing separators,
// or `programFolder` when none is set.
std::wstring MediaFolder(const DatabaseSettings& settings, const std::wstring& programFolder);
// The tag of this workstation's capture names: none without a DataFolder, else the tag of the
// "Workstation" value or, when that is empty, of the host name.
std::wstring CaptureNameTag(const DatabaseSettings& settings);
