// A filed capture as the archive stores it: a VL Photographic Image (modality XC) built by
// DCMTK from the capture's 24-bit BMP picture (a still, or a clip's poster), uncompressed 8-bit
// RGB. Uncompressed because the archive keeps what the camera saw (no second lossy step over
// the stamped picture) and a full-HD still (6 MB) crosses a clinic's network in well under a
// second (sent to a local archive at 1.1 times storescu's time, conversion included); JPEG
// baseline would be about a twelfth of the size (0.5 MB) at the cost of a lossy copy.
//
//   Patient ID / Name          CUSTOMER_PID / CUSTOMER_NAME (UTF-8, ISO_IR 192)
//   Patient Comments           "First visit: " and CUSTOMER_VISIT_FIRST as stored
//   Content, Acquisition date  from the capture's name (P/V + yyMMddhhmmss + digit)
//   Study / Series date        from the session's name, the first capture of the session
//   Manufacturer's Model Name  the camera's display name
//   Device Serial Number       the camera's identity text
//   Image Comments             PHOTO_COMMENT
//   UIDs                       ArchiveUids: one study and one series per patient and session
//   Burned In Annotation       YES (stills and posters carry their name in a corner)
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "archive/ArchiveItem.h"

class DcmDataset;

// Builds the image of `item` from `picture`. Returns nullptr with `error` (the failing step
// and DCMTK's reason) when the picture is missing or not a BMP DCMTK reads.
std::unique_ptr<DcmDataset> BuildCaptureDataset(const ArchiveItem& item,
                                                const std::filesystem::path& picture,
                                                std::string& error);

// The picture of a filed capture: <media folder>/database/<serial>/images/<capture>.bmp, the
// media folder being the program folder or the registry's shared DataFolder.
std::filesystem::path FiledPicturePath(const std::filesystem::path& mediaFolder,
                                       const ArchiveItem& item);
