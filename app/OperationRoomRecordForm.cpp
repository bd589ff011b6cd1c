// The record form: showing a patient, reading the form back into a record, clearing it, and the
// patient's media paths.
#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "app/RecordFormCodes.h"
#include "platform/text/Format.h"
#include "utility/files/LocalTime.h"

using namespace operationroom;

void CDlgOperationRoom::UpdateMediaPaths() {
    const PatientMediaPaths& paths = mPatients->Paths();
    mStringImageFolder = paths.imageFolder;
    mStringVideoFolder = paths.videoFolder;
    mStringThumbnailFolder = paths.thumbnailFolder;
    mStringIdPhotoPath = paths.idPhotoPath;
}

bool CDlgOperationRoom::FillRecordForm(const CustomerRecord& record) {
    FindControl(kName)->SetText(record.name);
    FindControl(kPid)->SetText(record.pid);
    FindControl(kAddress)->SetText(record.address);
    Control<ui::ComboBox>(kGender)->SetSelection(recordform::GenderItem(record.gender));
    Control<ui::ComboBox>(kBloodType)->SetSelection(recordform::BloodTypeItem(record.bloodType));
    FindControl(kMedicalRecordNumber)->SetText(text::sprintf(L"%04d", record.serialNumber));
    const std::optional<recordform::VisitDate> visit =
        recordform::ParseVisitDate(record.visitFirst);
    if (!visit) {
        SetRecordFormToday();
        return false;
    }
    Control<ui::DatePicker>(kVisitFirst)->SetDateTime({visit->year, visit->month, visit->day});
    return true;
}

CustomerRecord CDlgOperationRoom::ReadRecordForm() {
    CustomerRecord record;
    record.serialNumber = mPatients->CustomerSerialNumber();
    record.name = FindControl(kName)->Text();
    record.pid = FindControl(kPid)->Text();
    record.address = FindControl(kAddress)->Text();
    record.gender = recordform::GenderCode(Control<ui::ComboBox>(kGender)->Selection());
    record.bloodType = recordform::BloodTypeCode(Control<ui::ComboBox>(kBloodType)->Selection());
    const ui::DateTime visit = Control<ui::DatePicker>(kVisitFirst)->GetDateTime();
    record.visitFirst = recordform::FormatVisitDate({visit.year, visit.month, visit.day});
    return record;
}

void CDlgOperationRoom::ClearRecordForm() {
    ShowIdPhoto();
    FindControl(kName)->SetText(L"");
    FindControl(kPid)->SetText(L"X000000000");
    FindControl(kAddress)->SetText(L"");
    Control<ui::ComboBox>(kGender)->SetSelection(2);
    SetRecordFormToday();
    Control<ui::ComboBox>(kBloodType)->SetSelection(3);
    FindControl(kMedicalRecordNumber)->SetText(L"");
    Control<ui::ListBoxControl>(kNoteList)->Clear();
    FindControl(kNoteText)->SetText(L"");
    mStringInfo.clear();
    mStringNoteInfo.clear();
    RedrawBand(kInfoBand);
    RedrawBand(kNoteInfoBand);
}

void CDlgOperationRoom::SetRecordFormToday() {
    const std::tm now = utility::LocalTimeNow();
    Control<ui::DatePicker>(kVisitFirst)
        ->SetDateTime(
            {now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec});
}
