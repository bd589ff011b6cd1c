// The record database's tables on a database server: the same tables, column sizes and
// AutoNumber counters as the embedded template (customers and notes continue at 6, photos
// start at 1), created on the first connection to an empty server database. No sample
// patients are written there.
#pragma once

#include "platform/odbc/Connection.h"

// Creates whichever of the three tables the server database lacks, in one transaction under a
// server-wide lock, so that workstations starting at the same time create them exactly once
// and none of them sees half a schema. Throws odbc::Error with the server's text; nothing is
// left created then.
void CreateServerSchema(odbc::Connection& connection);
