// The MailTo buttons' common steps.
#include "review/mail/MailTo.h"

void MailToBrowser(int32_t, const std::array<std::wstring, 4>&, OperatorPrompts&) {}

void MailToComment(const std::wstring&, OperatorPrompts&) {}

void MailToDetail(const std::wstring&, OperatorPrompts&) {}
