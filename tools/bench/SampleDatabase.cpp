#include "tools/bench/SampleDatabase.h"

#include <stdlib.h>

#include <cstdio>

#include "platform/fs/ProgramFolder.h"
#include "platform/odbc/Connection.h"
#include "records/DATABASECONTEXT.h"

namespace {

constexpr wchar_t kFillPatients[] =
    L"INSERT INTO customer_table (CUSTOMER_PID, CUSTOMER_NAME, CUSTOMER_GENDER, "
    L"CUSTOMER_BLOOD_TYPE, CUSTOMER_ADDRESS, CUSTOMER_VISIT_FIRST) "
    L"WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
    L"SELECT printf('B%09d', x), CASE WHEN x % 100 = 0 THEN 'Rare' ELSE 'Name' END || x, "
    L"'F', 'A', printf('%d Sample Street', x), '3/7/2016' FROM n";
constexpr wchar_t kFillNotes[] =
    L"INSERT INTO note_table (CUSTOMER_SERIAL_NUMBER, NOTE_DATE, NOTE_COMMENT) "
    L"WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < ?) "
    L"SELECT 5 + x, '03072016:140505', 'Routine check-up' FROM n";

}  // namespace

void UseProgramFolder(const std::filesystem::path& folder) {
    program::testing::SetFolder(folder);
    setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
}

bool FillSampleDatabase(const std::filesystem::path& folder, int patients, int notes) {
    UseProgramFolder(folder);
    DATABASECONTEXT store(nullptr);
    store.DatabaseCreate();
    if (!store.IsOpen()) {
        std::fprintf(stderr, "the record store did not open\n");
        return false;
    }
    odbc::Connection filler;
    filler.Open(L"MedicalRecord");
    const odbc::Parameter patientRows[] = {int32_t{patients}};
    const odbc::Parameter noteRows[] = {int32_t{notes}};
    filler.ExecuteDirect(kFillPatients, patientRows);
    if (notes > 0) {
        filler.ExecuteDirect(kFillNotes, noteRows);
    }
    return true;
}
