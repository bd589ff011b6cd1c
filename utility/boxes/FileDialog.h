// The open-file dialog of the utility library, with its optional confirmation. UI thread.
#pragma once

#include <string>

// Shows the open-file dialog owned by the application's main window, with one type entry
// "<extension> File (*.<extension>)" (extension in lower case) that lists every file. When
// `confirm` is set, asks "Are you sure want to load this file ?" in a standard yes/no box.
// true and the chosen path when a file was chosen (and confirmed); false otherwise.
bool UTILITY_OpenFileDialog(std::wstring& path, const std::wstring& extension, bool confirm);
