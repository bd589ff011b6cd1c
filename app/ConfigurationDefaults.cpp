// The default content of the configuration file and the version test.
#include "app/ConfigurationDefaults.h"

#include "platform/text/Format.h"
#include "utility/files/Configuration.h"
#include "utility/files/ConfigurationFileLock.h"
#include "utility/files/ConfigurationValue.h"

bool WriteDefaultConfiguration(void*, void*, std::size_t, const std::wstring&, int file) {
    const std::string version =
        text::sprintf("Version : 0x%02x%02x", kProgramVersionMajor, kProgramVersionMinor);
    const std::string_view lines[] = {
        "==Sorvanti Configuration==",
        " ",
        "=Begin Of Configuration=",
        " ",
        version,
        "CameraVendor : 0xFFFF",
        "CameraProduct : 0xFFFF",
        "CameraResolutionIndexRecord : 0xFF",
        "CameraResolutionIndexCapture : 0xFF",
        "VideoProcAmp_Brightness : 0xFFFFFFFF",
        "VideoProcAmp_Contrast : 0xFFFFFFFF",
        "VideoProcAmp_Saturation : 0xFFFFFFFF",
        " ",
        "=End Of Configuration=",
        " ",
        "Usage : ",
        " ",
    };
    for (const auto line : lines) {
        if (!UTILITY_WriteLine(file, line)) {
            return false;
        }
    }
    return true;
}

void CheckConfigurationVersion(void* owner, void* context, std::size_t contextSize,
                               const std::wstring& path) {
    // Held across the test and the replacement: no other update can slip in between.
    utility::ConfigurationFileLock lock(path, utility::ConfigurationFileLock::Mode::kExclusive);
    uint32_t version = 0;
    const auto read = utility::ReadConfigValue(path, "Version", 4, version);
    if (read == utility::ConfigRead::kUnreadable ||
        (read == utility::ConfigRead::kFound && version == CONFIGURATION_VERSION)) {
        return;
    }
    utility::ReplaceConfigurationFile(path, [&](int file) {
        return WriteDefaultConfiguration(owner, context, contextSize, path, file);
    });
}
