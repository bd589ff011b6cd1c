// Recovering the captures of an interrupted session: when a camera window takes the Temp lock
// and finds the serial of a session that never closed its window (CaptureTempLock), the captures
// it left in Temp are filed to that patient before Temp is cleared for the new window. The
// operator is told how many were recovered, and the diagnostic log gets a block.
//
// A patient who no longer exists had their media deleted with them, so their leftovers are
// discarded as any unfiled captures are. UI thread (the record store's).
#pragma once

#include <string>

class CaptureTempLock;
class DATABASECONTEXT;
class OperatorPrompts;

// Runs with `lock` held. false when some captures could not be filed: they are then kept in
// Temp, and the lock still names their patient, so the new window must not clear Temp.
bool RecoverInterruptedCaptures(const CaptureTempLock& lock, DATABASECONTEXT& recordStore,
                                OperatorPrompts& prompts, const std::wstring& programFolder);
