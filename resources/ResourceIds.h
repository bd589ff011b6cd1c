// Numeric ids and type names of the program's embedded resources.
#pragma once

#include <cstdint>

namespace resources {

// The database template placed at database/medical_record_access.mdb when no file exists.
inline constexpr char kTemplateType[] = "TEMPLATE";
inline constexpr uint16_t kDatabaseTemplateId = 3002;
// The template's sample patients as SQL statements, one per line ending in ";".
inline constexpr char kSqlType[] = "SQL";
inline constexpr uint16_t kSamplePatientsId = 3003;

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

// Pictures (type "BITMAP"; drawn by tools/artwork/ArtworkGenerator.cpp).
inline constexpr char kBitmapType[] = "BITMAP";
inline constexpr uint16_t kBitmapCover = 136;
inline constexpr uint16_t kBitmapHeader = 139;
inline constexpr uint16_t kBitmapClose = 146;
inline constexpr uint16_t kBitmapOk = 9302;
inline constexpr uint16_t kBitmapYes = 9304;
inline constexpr uint16_t kBitmapNo = 9305;
// The main window's button faces, identity-photo placeholder and decoration pictures.
inline constexpr uint16_t kBitmapSearch = 164;
inline constexpr uint16_t kBitmapCamera = 197;
inline constexpr uint16_t kBitmapSetup = 198;
inline constexpr uint16_t kBitmapAddCustomer = 199;
inline constexpr uint16_t kBitmapDeleteCustomer = 200;
inline constexpr uint16_t kBitmapSaveCustomer = 201;
inline constexpr uint16_t kBitmapAddNote = 202;
inline constexpr uint16_t kBitmapDeleteNote = 204;
inline constexpr uint16_t kBitmapSaveNote = 207;
inline constexpr uint16_t kBitmapIdPhotoPlaceholder = 208;
inline constexpr uint16_t kBitmapFieldLabels = 210;
inline constexpr uint16_t kBitmapSearchFrame = 211;
inline constexpr uint16_t kBitmapNoteCaption = 212;
inline constexpr uint16_t kBitmapPhotoCaption = 213;
inline constexpr uint16_t kBitmapRecordCaption = 217;
// The review windows' button faces: the image browser's row, then the comment and detail
// dialogs' row.
inline constexpr uint16_t kBitmapBrowserBack = 162;
inline constexpr uint16_t kBitmapBrowserMailTo = 166;
inline constexpr uint16_t kBitmapBrowserComment = 169;
inline constexpr uint16_t kBitmapBrowserDelete = 170;
inline constexpr uint16_t kBitmapDetail = 175;
inline constexpr uint16_t kBitmapNext = 176;
inline constexpr uint16_t kBitmapPrevious = 177;
inline constexpr uint16_t kBitmapDelete = 178;
inline constexpr uint16_t kBitmapMailTo = 179;
// The camera window's buttons: exit, browser, still, record, and the view toggle's faces (one
// frame: back to the single view; four frames: to the four-pane view).
inline constexpr uint16_t kBitmapCameraExit = 162;
inline constexpr uint16_t kBitmapCameraBrowser = 171;
inline constexpr uint16_t kBitmapCameraStill = 153;
inline constexpr uint16_t kBitmapCameraRecord = 161;
inline constexpr uint16_t kBitmapCameraSingleView = 222;
inline constexpr uint16_t kBitmapCameraQuadView = 223;

// The buttons of the skinned boxes (templates 9101 and 9102).
inline constexpr int kControlBoxYes = 9401;
inline constexpr int kControlBoxNo = 9402;
inline constexpr int kControlBoxOk = 9403;

// The driver's installation package, a tar of its install files; carried, never used.
inline constexpr char kDriverType[] = "DRIVER";
inline constexpr uint16_t kDriverPackageId = 4001;

}  // namespace resources
