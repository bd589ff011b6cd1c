// The patient commands of the main window bound to PatientWorkflow: the list, selecting by
// double click, the search, a new patient, saving the form and deleting the patient.
#include "app/CDlgOperationRoom.h"
#include "app/NotesWorkflow.h"
#include "app/OperationRoomIds.h"
#include "app/PatientWorkflow.h"
#include "platform/text/Format.h"
#include "platform/ui/MessageBox.h"
#include "utility/files/Files.h"

using namespace operationroom;

void CDlgOperationRoom::RefreshCustomerList() {
    mPatients->ListCustomers(*Control<ui::ListBoxControl>(kCustomerList));
}

void CDlgOperationRoom::OnLbnDblclkListCustomer() {
    auto* list = Control<ui::ListBoxControl>(kCustomerList);
    const int line = list->Selection();
    if (line < 0) {
        return;
    }
    if (const auto record = mPatients->SelectCustomerLine(list->LineText(line))) {
        ShowSelectedCustomer(*record);
    }
}

void CDlgOperationRoom::ShowSelectedCustomer(const CustomerRecord& record) {
    mStringInfo = mPatients->InfoText();
    RedrawBand(kInfoBand);
    ClearNoteSelection();
    UpdateMediaPaths();
    const bool dateRead = FillRecordForm(record);
    ShowIdPhoto();
    RefreshNoteList();
    FindControl(kNoteText)->SetText(L"");
    RefreshMediaList();
    if (!dateRead) {
        ui::AppMessageBox(text::sprintf(L"The first visit date \"%s\" of this customer cannot be "
                                        L"read. The form shows today's date instead.",
                                        record.visitFirst),
                          ui::kIconStop);
    }
}

void CDlgOperationRoom::OnBnClickedButtonSearch() {
    mPatients->SearchCustomers(*Control<ui::ListBoxControl>(kCustomerList),
                               FindControl(kSearchText)->Text());
}

void CDlgOperationRoom::OnBnClickedButtonAddCustomer() {
    std::wstring today;
    UTILITY_GetDateString(today);
    if (const auto record = mPatients->AddCustomer(today)) {
        ShowSelectedCustomer(*record);
        RefreshCustomerList();
    }
}

void CDlgOperationRoom::OnBnClickedButtonSaveCustomer() {
    if (mPatients->SaveCustomer(ReadRecordForm())) {
        RefreshCustomerList();
    }
}

void CDlgOperationRoom::OnBnClickedButtonDeleteCustomer() {
    const PatientWorkflow::DeleteResult result = mPatients->DeleteCustomer();
    if (result == PatientWorkflow::DeleteResult::kKept) {
        return;
    }
    mNotes->ClearSelection();
    UpdateMediaPaths();
    ClearMediaList();
    RefreshCustomerList();
    ClearRecordForm();
    mPatients->ReportDeleted(result);
}
