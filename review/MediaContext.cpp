// The review windows' caption.
#include "review/MediaContext.h"

#include "platform/text/Format.h"
#include "records/DATABASECONTEXT.h"

std::wstring ReviewCaption(DATABASECONTEXT& recordStore, int32_t customerSerialNumber) {
    CustomerRecord customer;
    if (!recordStore.CustomerSelect(customerSerialNumber, customer)) {
        return L"Sorvanti";
    }
    return text::sprintf(L"%s-%s", customer.pid, customer.name);
}
