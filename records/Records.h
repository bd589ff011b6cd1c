// The rows the record store exchanges with the windows. Texts are wide strings; a NULL column
// reads as an empty text.
#pragma once

#include <cstdint>
#include <string>

// One patient (customer_table).
struct CustomerRecord {
    int32_t serialNumber = 0;  // CUSTOMER_SERIAL_NUMBER, assigned by the database
    std::wstring pid;          // CUSTOMER_PID, at most 10 characters
    std::wstring name;         // CUSTOMER_NAME, at most 255 characters
    std::wstring gender;       // CUSTOMER_GENDER: "M", "F", anything else means other ("O")
    std::wstring bloodType;    // CUSTOMER_BLOOD_TYPE: "A", "B", "AB", anything else means "O"
    std::wstring address;      // CUSTOMER_ADDRESS
    std::wstring visitFirst;   // CUSTOMER_VISIT_FIRST, "%d/%d/%d" month/day/year
};

// One still image or video poster of a patient (photo_table).
struct PhotoRecord {
    int32_t serialNumber = 0;          // PHOTO_SERIAL_NUMBER
    int32_t customerSerialNumber = 0;  // the owning patient
    std::wstring name;                 // PHOTO_NAME: the picture's file name without ".bmp"
    std::wstring date;                 // PHOTO_DATE, "%d/%d/%d" month/day/year
    std::wstring comment;              // PHOTO_COMMENT
};

// One dated note of a patient (note_table).
struct NoteRecord {
    int32_t serialNumber = 0;          // NOTE_SERIAL_NUMBER
    int32_t customerSerialNumber = 0;  // the owning patient
    std::wstring date;                 // NOTE_DATE, MMDDYYYY:HHMMSS local time
    std::wstring comment;              // NOTE_COMMENT
};
