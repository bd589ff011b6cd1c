// The program folder as the application's wide text.
#include "platform/fs/ProgramFolder.h"
#include "platform/text/Text.h"
#include "utility/files/Files.h"

void UTILITY_GetModuleFolder(std::wstring& folder) {
    folder = text::FromPath(program::Folder());
    while (!folder.empty() && folder.back() == L'/') {
        folder.pop_back();
    }
}
