// A record database with many patients and notes, for benchmarks: the program folder is set
// up (program folder, ODBCINI), the template placed and the rows added in one statement per
// table, so filling costs two durable writes instead of thousands.
#pragma once

#include <filesystem>

// Uses `folder` as the program folder and fills its database with `patients` sample patients
// (serials 6 onwards; names "Name<n>", every hundredth "Rare<n>") and `notes` notes, one per
// patient from serial 6 on. False when the record store does not open.
bool FillSampleDatabase(const std::filesystem::path& folder, int patients, int notes);

// Points the program folder and the data-source file at `folder`.
void UseProgramFolder(const std::filesystem::path& folder);
