// The registry the program reads its few machine settings from (the mail adapter's folder): a
// text file in the program folder, named registry.reg, in the text form of a registry export:
//
//   Windows Registry Editor Version 5.00
//   ; a comment
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\OUTLOOK.EXE]
//   "Path"="/opt/sorvanti/mail/"
//   @="the key's default value"
//
// UTF-8, LF or CR LF line ends. A section names a key by its full path with '\' between the
// parts; the lines after it are its string values, "name"="text", where \\ and \" stand for a
// backslash and a quote. Key paths and value names compare without regard to ASCII case, as in
// the registry. Lines of any other form are ignored. The file is read at every call; the
// program never writes it. Thread-safe.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sys {

enum class RegistryRoot { kLocalMachine };

// <program folder>/registry.reg.
std::filesystem::path RegistryFile();

// The string value `valueName` ("" or "@" for the default value) of key `keyPath` (below
// `root`, without the root's name); nullopt when the file, the key or the value is missing.
std::optional<std::wstring> ReadRegistryString(RegistryRoot root, std::wstring_view keyPath,
                                               std::wstring_view valueName);

}  // namespace sys
