// How the program's heap gives memory back to the system. The record store refills whole lists
// at every search (10,000 patients are a few megabytes of rows, held twice: in the database
// driver's copy of the result and in the list's lines), and frees them just as whole. With the
// C library's default, the freed top of the heap goes back to the system after each list and
// the next list faults every page in again, which on a database server's driver doubles the
// list's processor time. Keeping up to a bounded amount of freed heap for reuse avoids that.
#pragma once

namespace sys {

// Keeps up to 64 MiB of freed heap for reuse instead of trimming it, and grows the heap in
// steps of 16 MiB. Call once at start, before threads begin.
void KeepFreedHeapForReuse();

}  // namespace sys
