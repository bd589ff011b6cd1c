// The record store's statements: its fixed statements with every value bound to a "?"
// marker instead of being formatted into the text, so quotes in names, notes and comments are
// stored as typed. The search binds its text between two "%" wildcards, so "%" and "_" typed
// by the operator still act as wildcards.
#pragma once

namespace statements {

inline constexpr wchar_t kCustomerSelect[] =
    L"SELECT * FROM customer_table WHERE CUSTOMER_SERIAL_NUMBER = ?";
inline constexpr wchar_t kCustomerSelectLast[] =
    L"SELECT TOP 1 * FROM customer_table ORDER BY CUSTOMER_SERIAL_NUMBER DESC";
inline constexpr wchar_t kCustomerUpdate[] =
    L"UPDATE customer_table SET CUSTOMER_PID = ?, CUSTOMER_NAME = ?, CUSTOMER_GENDER = ?, "
    L"CUSTOMER_BLOOD_TYPE = ?, CUSTOMER_ADDRESS = ?, CUSTOMER_VISIT_FIRST = ? WHERE "
    L"CUSTOMER_SERIAL_NUMBER = ?";
inline constexpr wchar_t kCustomerInsert[] =
    L"INSERT INTO customer_table (CUSTOMER_PID, CUSTOMER_NAME, CUSTOMER_GENDER, "
    L"CUSTOMER_BLOOD_TYPE, CUSTOMER_ADDRESS, CUSTOMER_VISIT_FIRST) VALUES (?, ?, ?, ?, ?, ?)";
inline constexpr wchar_t kCustomerDelete[] =
    L"DELETE FROM customer_table WHERE CUSTOMER_SERIAL_NUMBER = ?";
// The patient lists read only the three columns a list line shows.
inline constexpr wchar_t kCustomerListAll[] =
    L"SELECT CUSTOMER_SERIAL_NUMBER, CUSTOMER_PID, CUSTOMER_NAME FROM customer_table ORDER BY "
    L"CUSTOMER_SERIAL_NUMBER";
inline constexpr wchar_t kCustomerListSearchByPid[] =
    L"SELECT CUSTOMER_SERIAL_NUMBER, CUSTOMER_PID, CUSTOMER_NAME FROM customer_table WHERE "
    L"CUSTOMER_PID LIKE '%' || ? || '%' ORDER BY CUSTOMER_SERIAL_NUMBER";
inline constexpr wchar_t kCustomerListSearchByName[] =
    L"SELECT CUSTOMER_SERIAL_NUMBER, CUSTOMER_PID, CUSTOMER_NAME FROM customer_table WHERE "
    L"CUSTOMER_NAME LIKE '%' || ? || '%' ORDER BY CUSTOMER_SERIAL_NUMBER";
inline constexpr wchar_t kPhotoSelect[] =
    L"SELECT * FROM photo_table WHERE CUSTOMER_SERIAL_NUMBER = ? AND PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoSelectByName[] = L"SELECT * FROM photo_table WHERE PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoCommentSelect[] =
    L"SELECT PHOTO_COMMENT FROM photo_table WHERE CUSTOMER_SERIAL_NUMBER = ? AND PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoCommentUpdateByName[] =
    L"UPDATE photo_table SET PHOTO_COMMENT = ? WHERE PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoCommentUpdate[] =
    L"UPDATE photo_table SET PHOTO_COMMENT = ? WHERE CUSTOMER_SERIAL_NUMBER = ? AND PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoInsert[] =
    L"INSERT INTO photo_table (CUSTOMER_SERIAL_NUMBER, PHOTO_NAME, PHOTO_DATE, PHOTO_COMMENT) "
    L"VALUES (?, ?, ?, ?)";
inline constexpr wchar_t kPhotoDeleteByName[] = L"DELETE FROM photo_table WHERE PHOTO_NAME = ?";
inline constexpr wchar_t kPhotoDeleteByCustomer[] =
    L"DELETE FROM photo_table WHERE CUSTOMER_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteListAll[] =
    L"SELECT * FROM note_table WHERE CUSTOMER_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteSelectLast[] =
    L"SELECT TOP 1 * FROM note_table WHERE CUSTOMER_SERIAL_NUMBER = ? ORDER BY NOTE_SERIAL_NUMBER "
    L"DESC";
inline constexpr wchar_t kNoteSelect[] = L"SELECT * FROM note_table WHERE NOTE_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteCommentSelect[] =
    L"SELECT NOTE_COMMENT FROM note_table WHERE NOTE_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteInsert[] =
    L"INSERT INTO note_table (CUSTOMER_SERIAL_NUMBER, NOTE_DATE, NOTE_COMMENT) VALUES (?, ?, ?)";
inline constexpr wchar_t kNoteDelete[] = L"DELETE FROM note_table WHERE NOTE_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteDeleteByCustomer[] =
    L"DELETE FROM note_table WHERE CUSTOMER_SERIAL_NUMBER = ?";
inline constexpr wchar_t kNoteCommentUpdate[] =
    L"UPDATE note_table SET NOTE_COMMENT = ? WHERE NOTE_SERIAL_NUMBER = ?";

}  // namespace statements
