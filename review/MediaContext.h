// What a review window works on, as SetMediaContext hands it over: the record store it borrows
// (not owned), the patient's serial (no row exists for captures of no patient) and the images
// and videos folders of the captures, both ending in '/'. Also the Info band's caption every
// review window derives from the patient.
#pragma once

#include <cstdint>
#include <string>

class DATABASECONTEXT;

struct MediaContext {
    DATABASECONTEXT& recordStore;
    int32_t customerSerialNumber;
    std::wstring imageFolder;
    std::wstring videoFolder;
};

// "<pid>-<name>" of the patient, or "Sorvanti" when the record store has no such patient.
std::wstring ReviewCaption(DATABASECONTEXT& recordStore, int32_t customerSerialNumber);
