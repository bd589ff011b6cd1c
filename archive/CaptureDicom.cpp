// Converting a filed capture's picture with DCMTK's image-to-DICOM converter.
#include "archive/CaptureDicom.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmdata/libi2d/i2d.h>
#include <dcmtk/dcmdata/libi2d/i2dbmps.h>
#include <dcmtk/dcmdata/libi2d/i2dplvlp.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "archive/ArchiveItemText.h"
#include "archive/ArchiveUids.h"
#include "media/MediaLayout.h"
#include "platform/text/Text.h"

namespace {

struct DateTime {
    std::string date;  // YYYYMMDD
    std::string time;  // HHMMSS
};

// "P2512101430151" gives 20251210 and 143015; nothing for a text that is not a capture name.
std::optional<DateTime> CaptureTime(const std::string& name) {
    if (!IsCaptureName(name)) {
        return std::nullopt;
    }
    return DateTime{"20" + name.substr(1, 6), name.substr(7, 6)};
}

// A person name's components are split by '^' and its values by '\': a backslash in a stored
// name would make it two names.
std::string PersonName(std::string name) {
    std::replace(name.begin(), name.end(), '\\', ' ');
    return name;
}

}  // namespace

std::filesystem::path FiledPicturePath(const std::filesystem::path& mediaFolder,
                                       const ArchiveItem& item) {
    return text::ToPath(
        media::PatientImagesFolder(text::FromPath(mediaFolder), item.customerSerialNumber) +
        text::FromUtf8(item.captureName) + media::kPictureExtension);
}

std::unique_ptr<DcmDataset> BuildCaptureDataset(const ArchiveItem& item,
                                                const std::filesystem::path& picture,
                                                std::string& error) {
    const auto content = CaptureTime(item.captureName);
    if (!content) {
        error = "not a capture name: " + item.captureName;
        return nullptr;
    }
    // The converter owns neither plug-in.
    I2DBmpSource source;
    source.setImageFile(picture.string().c_str());
    I2DOutputPlugVLP output;
    Image2Dcm converter;
    converter.setValidityChecking(OFTrue, OFTrue, OFFalse);
    DcmDataset* converted = nullptr;
    E_TransferSyntax syntax = EXS_Unknown;
    OFCondition status = converter.convertFirstFrame(&source, &output, 1, converted, syntax);
    std::unique_ptr<DcmDataset> dataset(converted);
    if (status.good()) {
        status = converter.updateLossyCompressionInfo(&source, 1, dataset.get());
    }
    if (status.bad() || dataset == nullptr) {
        error = "converting " + picture.string() + ": " + status.text();
        return nullptr;
    }

    const DateTime study = CaptureTime(item.session).value_or(*content);
    const std::vector<std::pair<DcmTagKey, std::string>> values = {
        {DCM_SpecificCharacterSet, "ISO_IR 192"},
        {DCM_SOPClassUID, UID_VLPhotographicImageStorage},
        {DCM_SOPInstanceUID, InstanceUid(item)},
        {DCM_StudyInstanceUID, StudyUid(item)},
        {DCM_SeriesInstanceUID, SeriesUid(item)},
        {DCM_Modality, "XC"},
        {DCM_PatientID, item.pid},
        {DCM_PatientName, PersonName(item.patientName)},
        {DCM_PatientComments, "First visit: " + item.visitFirst},
        {DCM_StudyDate, study.date},
        {DCM_StudyTime, study.time},
        {DCM_SeriesDate, study.date},
        {DCM_SeriesTime, study.time},
        {DCM_SeriesNumber, "1"},
        {DCM_ContentDate, content->date},
        {DCM_ContentTime, content->time},
        {DCM_AcquisitionDateTime, content->date + content->time},
        {DCM_ManufacturerModelName, item.cameraName},
        {DCM_DeviceSerialNumber, item.cameraIdentity},
        {DCM_ImageComments, item.comment},
        {DCM_BurnedInAnnotation, "YES"},
    };
    for (const auto& [tag, value] : values) {
        status = dataset->putAndInsertString(tag, value.c_str());
        if (status.bad()) {
            error = "setting " + DcmTag(tag).toString() + ": " + status.text();
            return nullptr;
        }
    }
    return dataset;
}
