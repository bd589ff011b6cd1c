// The record database's tables on a database server: the same tables, column sizes and
// AutoNumber counters as the embedded template (customers and notes continue at 6, photos
// start at 1), created on the first connection to an empty server database, with the sample
// patients of a new database file only when the administrator asks for them.
#pragma once

#include "platform/odbc/Connection.h"

// Creates whichever of the three tables the server database lacks, in one transaction under a
// server-wide lock, so that workstations starting at the same time create them exactly once
// and none of them sees half a schema. With `samplePatients`, the transaction that creates the
// patients' table also places the sample patients, so that they come once and never come back
// after the clinic deleted them. Throws odbc::Error with the server's text; nothing is left
// created then.
void CreateServerSchema(odbc::Connection& connection, bool samplePatients);
