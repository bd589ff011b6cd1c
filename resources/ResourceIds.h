// Numeric ids and type names of the program's embedded resources.
#pragma once

#include <cstdint>

namespace resources {

// The database template placed at database/medical_record_access.mdb when no file exists.
inline constexpr char kTemplateType[] = "TEMPLATE";
inline constexpr uint16_t kDatabaseTemplateId = 3002;

// Dialog templates (resources/dialogs).
inline constexpr int kDialogCamera = 133;
inline constexpr int kDialogSetup = 134;
inline constexpr int kDialogImageBrowser = 165;
inline constexpr int kDialogImageComment = 173;
inline constexpr int kDialogImageDetail = 174;
inline constexpr int kDialogOperationRoom = 195;
inline constexpr int kDialogImageMsgBox = 9101;
inline constexpr int kDialogImageYesNoBox = 9102;
inline constexpr int kDialogCover = 9104;

// Pictures (type "BITMAP"; drawn by resources/artwork/ArtworkGenerator.cpp).
inline constexpr char kBitmapType[] = "BITMAP";
inline constexpr uint16_t kBitmapCover = 136;
inline constexpr uint16_t kBitmapHeader = 139;
inline constexpr uint16_t kBitmapClose = 146;
inline constexpr uint16_t kBitmapOk = 9302;
inline constexpr uint16_t kBitmapYes = 9304;
inline constexpr uint16_t kBitmapNo = 9305;

// The driver's installation package, a tar of its install files; carried, never used.
inline constexpr char kDriverType[] = "DRIVER";
inline constexpr uint16_t kDriverPackageId = 4001;

}  // namespace resources
