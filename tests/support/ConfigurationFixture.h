// Shared by the configuration tests: the default file's exact bytes and a fixture that keeps
// one configuration file in a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/text/Text.h"
#include "tests/support/TestProgramFolder.h"

namespace testsupport {

// The 17 default lines, each with CR LF, as the program writes them at first start.
inline constexpr std::string_view kDefaultConfiguration =
    "==Sorvanti Configuration==\r\n"
    " \r\n"
    "=Begin Of Configuration=\r\n"
    " \r\n"
    "Version : 0x0324\r\n"
    "CameraVendor : 0xFFFF\r\n"
    "CameraProduct : 0xFFFF\r\n"
    "CameraResolutionIndexRecord : 0xFF\r\n"
    "CameraResolutionIndexCapture : 0xFF\r\n"
    "VideoProcAmp_Brightness : 0xFFFFFFFF\r\n"
    "VideoProcAmp_Contrast : 0xFFFFFFFF\r\n"
    "VideoProcAmp_Saturation : 0xFFFFFFFF\r\n"
    " \r\n"
    "=End Of Configuration=\r\n"
    " \r\n"
    "Usage : \r\n"
    " \r\n";

class ConfigurationFileTest : public ::testing::Test {
  protected:
    std::filesystem::path File() const { return mFolder.Path() / "Sorvanti.ini"; }
    std::wstring Path() const { return text::FromPath(File()); }
    void Store(std::string_view bytes) const { WriteFileBytes(File(), std::string(bytes)); }
    std::string Stored() const { return ReadFileBytes(File()); }
    // The names in the program folder: a rewrite must leave no temporary file behind.
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(mFolder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    TestProgramFolder mFolder;
};

}  // namespace testsupport
