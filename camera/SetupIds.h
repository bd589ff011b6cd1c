// Control ids of the setup dialog's template (134).
#pragma once

namespace setup {

inline constexpr int kXuId = 1000;
inline constexpr int kXuKey = 1001;
inline constexpr int kXuDateTime = 1002;
inline constexpr int kResetDefault = 1007;
inline constexpr int kBrightness = 1015;
inline constexpr int kContrast = 1016;
inline constexpr int kSaturation = 1019;
inline constexpr int kRecordFormats = 1029;
inline constexpr int kCamera = 1031;
inline constexpr int kCaptureFormats = 1032;
inline constexpr int kXuIdGet = 1135;
inline constexpr int kXuIdSet = 1136;
inline constexpr int kXuDateTimeGet = 1137;
inline constexpr int kXuDateTimeSet = 1138;
inline constexpr int kXuKeyRefresh = 1139;

}  // namespace setup
