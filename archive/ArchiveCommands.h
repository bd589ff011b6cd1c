// The commands of sorvanti-dicom, over the program folder's registry and queue:
//
//   status           the archive, every waiting item with the archive's reason, the sent count
//   echo             C-ECHO to the archive
//   resend <serial>  queues the sent captures of a patient again (same instances)
//   run              sends until SIGINT or SIGTERM (the main function's; see ArchiveWorker)
//
// Returns the exit code: 0 done, 1 failed (the reason on `err`), 2 a bad command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunArchiveCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err);

// The usage text.
std::string ArchiveCommandUsage();
