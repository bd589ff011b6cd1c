// Control ids of the main window's template (dialog 195).
#pragma once

namespace operationroom {

inline constexpr int kHeader = 1114;
inline constexpr int kInfoBand = 1113;
inline constexpr int kExit = 1112;
inline constexpr int kAddCustomer = 1131;
inline constexpr int kSearchText = 1117;
inline constexpr int kSearch = 1002;
inline constexpr int kCustomerList = 1118;
inline constexpr int kCamera = 1115;
inline constexpr int kSetup = 1116;
inline constexpr int kIdPhoto = 1119;
inline constexpr int kName = 1003;
inline constexpr int kGender = 1120;
inline constexpr int kBloodType = 1121;
inline constexpr int kPid = 1004;
inline constexpr int kAddress = 1005;
inline constexpr int kMedicalRecordNumber = 1006;
inline constexpr int kVisitFirst = 1122;
inline constexpr int kSave = 1124;
inline constexpr int kDelete = 1125;
inline constexpr int kNotesFrame = 1133;
inline constexpr int kMediaFrame = 1134;
inline constexpr int kAddNote = 1127;
inline constexpr int kNoteList = 1126;
inline constexpr int kNoteInfoBand = 1132;
inline constexpr int kNoteText = 1128;
inline constexpr int kNoteSave = 1129;
inline constexpr int kNoteDelete = 1130;
inline constexpr int kMediaList = 1123;

}  // namespace operationroom
