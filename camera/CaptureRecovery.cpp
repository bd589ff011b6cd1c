// Filing what an interrupted session left in Temp.
#include "camera/CaptureRecovery.h"

#include "camera/CaptureFiling.h"
#include "camera/CaptureTempLock.h"
#include "platform/text/Format.h"
#include "records/DATABASECONTEXT.h"
#include "utility/boxes/OperatorPrompts.h"
#include "utility/files/Log.h"

namespace {

// A block of the diagnostic log: separator, time, entry, the patient and what became of the
// captures.
void LogRecovery(const std::wstring& programFolder, int32_t customerSerialNumber,
                 const std::wstring& outcome) {
    const std::wstring log = utility::DiagnosticLogPath(programFolder);
    UTILITY_WriteLogLine(log, L"-------------");
    UTILITY_WriteLogTime(log);
    UTILITY_WriteLogLine(log, L"RecoverInterruptedCaptures >>");
    UTILITY_WriteLogLine(log, text::sprintf(L"Customer : [%d]", customerSerialNumber));
    UTILITY_WriteLogLine(log, outcome);
}

}  // namespace

bool RecoverInterruptedCaptures(const CaptureTempLock& lock, DATABASECONTEXT& recordStore,
                                OperatorPrompts& prompts, const std::wstring& programFolder) {
    const std::optional<int32_t> serial = lock.InterruptedSerialNumber();
    CaptureFiling filing(recordStore, prompts, programFolder);
    if (!serial || !filing.TempHoldsCaptures()) {
        return true;
    }
    CustomerRecord patient;
    if (!recordStore.CustomerSelect(*serial, patient)) {
        LogRecovery(programFolder, *serial, L"Customer not found : captures discarded");
        return true;
    }
    const CaptureFiling::Result result = filing.FileTemp(*serial);
    LogRecovery(programFolder, *serial,
                text::sprintf(L"Filed : [%d] Kept : [%d]", result.filed, result.kept));
    if (result.kept > 0) {
        prompts.ShowMessage(L"Captures of an interrupted session could not be filed!");
        return false;
    }
    prompts.ShowMessage(
        text::sprintf(L"%d captures of an interrupted session were filed.", result.filed));
    return true;
}
