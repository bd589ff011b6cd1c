// The detail dialog's comment reading and storing around CaptureWalk.
#include "review/ImageDetailWorkflow.h"

#include "records/DATABASECONTEXT.h"
#include "utility/files/Files.h"

std::wstring ImageDetailWorkflow::Today() {
    std::wstring today;
    UTILITY_GetDateString(today);
    return today;
}

ImageDetailWorkflow::ImageDetailWorkflow(MediaContext context, std::wstring path,
                                         OperatorPrompts& prompts, DateSource today)
    : mCapture(std::move(context), std::move(path), prompts), mToday(std::move(today)) {}

std::wstring ImageDetailWorkflow::OpeningComment() {
    PhotoRecord record;
    record.name = mCapture.Title();
    if (mCapture.Path().empty() || !mCapture.Context().recordStore.PhotoSelectByName(record)) {
        return {};
    }
    return record.comment;
}

void ImageDetailWorkflow::StoreOnExit(const std::wstring& comment) {
    const std::wstring title = mCapture.Title();
    if (mCapture.Path().empty() || title.empty()) {
        return;
    }
    DATABASECONTEXT& recordStore = mCapture.Context().recordStore;
    PhotoRecord record;
    record.name = title;
    if (recordStore.PhotoSelectByName(record)) {
        recordStore.PhotoCommentUpdateByName(title, comment);
        return;
    }
    record.customerSerialNumber = mCapture.Context().customerSerialNumber;
    record.date = mToday();
    record.comment = comment;
    recordStore.PhotoInsert(record);
}

std::optional<std::wstring> ImageDetailWorkflow::StoreAndStep(StepDirection direction,
                                                              const std::wstring& comment) {
    if (mCapture.Path().empty()) {
        return std::nullopt;
    }
    DATABASECONTEXT& recordStore = mCapture.Context().recordStore;
    const int32_t customer = mCapture.Context().customerSerialNumber;
    recordStore.PhotoCommentUpdate(customer, mCapture.Title(), comment);
    if (!mCapture.Step(direction)) {
        return std::nullopt;
    }
    std::wstring stored;
    recordStore.PhotoCommentSelect(customer, mCapture.Title(), stored);
    return stored;
}
