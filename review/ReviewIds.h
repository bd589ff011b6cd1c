// Control ids of the review windows' templates: the image browser (dialog 165), the comment
// dialog (173) and the detail dialog (174).
#pragma once

namespace imagebrowser {

inline constexpr int kHeader = 1062;
inline constexpr int kInfoBand = 1079;
inline constexpr int kExit = 1053;
inline constexpr int kBack = 1052;
inline constexpr int kMailTo = 1054;
inline constexpr int kComment = 1056;
inline constexpr int kDelete = 1057;
inline constexpr int kMedicalRec = 1055;
inline constexpr int kSelIndicator = 1063;
inline constexpr int kSelectionFrame = 1064;
// Slots A, B, C, D.
inline constexpr int kSlots[] = {1058, 1059, 1060, 1061};

}  // namespace imagebrowser

namespace imagecomment {

inline constexpr int kHeader = 1067;
inline constexpr int kInfoBand = 1078;
inline constexpr int kExit = 1065;
inline constexpr int kPicture = 1069;
inline constexpr int kPrevious = 1070;
inline constexpr int kMailTo = 1054;
inline constexpr int kDetail = 1053;
inline constexpr int kDelete = 1056;
inline constexpr int kNext = 1055;

}  // namespace imagecomment

namespace imagedetail {

inline constexpr int kHeader = 1068;
inline constexpr int kInfoBand = 1080;
inline constexpr int kExit = 1066;
inline constexpr int kPicture = 1071;
inline constexpr int kComment = 1077;
inline constexpr int kPrevious = 1072;
inline constexpr int kMailTo = 1073;
inline constexpr int kDetail = 1074;
inline constexpr int kDelete = 1075;
inline constexpr int kNext = 1076;

}  // namespace imagedetail
