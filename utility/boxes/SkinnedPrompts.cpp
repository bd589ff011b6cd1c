// The skinned message and yes/no boxes behind OperatorPrompts.
#include "utility/boxes/SkinnedPrompts.h"

#include "platform/ui/MessageBox.h"
#include "utility/boxes/CImageMsgBoxDlg.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"

void SkinnedPrompts::ShowMessage(const std::wstring& text) {
    CImageMsgBoxDlg box(mOwner, text);
    box.DoModal();
}

bool SkinnedPrompts::AskYesNo(const std::wstring& text) {
    CImageYesNoBoxDlg box(mOwner, text);
    return box.DoModal() == ui::kIdYes;
}
