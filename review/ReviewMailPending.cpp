// The MailTo calls while the program has no mail hand-off: they do nothing. A program built
// with the hand-off (review/mail) takes its calls instead of this file.
#include "review/ReviewMail.h"

void MailToBrowser(int32_t, const std::array<std::wstring, 4>&, OperatorPrompts&) {}

void MailToComment(const std::wstring&, OperatorPrompts&) {}

void MailToDetail(const std::wstring&, OperatorPrompts&) {}
