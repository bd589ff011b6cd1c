// Where the running program lives. Everything the application stores lies below this folder.
#pragma once

#include <filesystem>
#include <string>

namespace program {

// The folder of the running executable (from /proc/self/exe), or the folder a test set.
// Thread-safe.
std::filesystem::path Folder();

// The executable's file name ("sorvanti"): the application name shown as the caption of the
// framework's standard message boxes.
std::string ExecutableName();

namespace testing {

// Redirects Folder() to `folder` until ResetFolder(); for tests only.
void SetFolder(const std::filesystem::path& folder);
void ResetFolder();

}  // namespace testing
}  // namespace program
