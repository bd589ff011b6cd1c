// Reading keys of the configuration file: widths, first match, markers, malformed lines.
#include <optional>

#include "tests/support/ConfigurationFixture.h"
#include "utility/files/Configuration.h"

namespace {

using testsupport::kDefaultConfiguration;

class ConfigurationReadTest : public testsupport::ConfigurationFileTest {
  protected:
    // Reads `key` with the reader of `bits` width; nullopt when it reports "not found".
    std::optional<uint32_t> Read(int bits, const std::string& key) const {
        bool found = false;
        uint32_t result = 0;
        if (bits == 8) {
            uint8_t value = 0;
            found = UTILITY_ReadConfigByte(Path(), key, value);
            result = value;
        } else if (bits == 16) {
            uint16_t value = 0;
            found = UTILITY_ReadConfigWord(Path(), key, value);
            result = value;
        } else {
            int32_t value = 0;
            found = UTILITY_ReadConfigDword(Path(), key, value);
            result = static_cast<uint32_t>(value);
        }
        return found ? std::optional(result) : std::nullopt;
    }
};

struct ReadCase {
    const char* what;
    std::string content;
    int bits;
    const char* key;
    std::optional<uint32_t> expected;
};

TEST_F(ConfigurationReadTest, ReadsAsTheFileFormatRequires) {
    const std::string longLine = "CameraVendor : 0x0001" + std::string(280, ' ') + "\r\n";
    const ReadCase cases[] = {
        {"8-bit default, CR before LF", std::string(kDefaultConfiguration), 8,
         "CameraResolutionIndexRecord", 0xFF},
        {"16-bit version", std::string(kDefaultConfiguration), 16, "Version", 0x0324},
        {"16-bit default", std::string(kDefaultConfiguration), 16, "CameraVendor", 0xFFFF},
        {"32-bit default", std::string(kDefaultConfiguration), 32, "VideoProcAmp_Saturation",
         0xFFFFFFFF},
        {"lower-case digits", "CameraVendor : 0x12ab\r\n", 16, "CameraVendor", 0x12AB},
        {"digit limit", "CameraVendor : 0x12345\r\n", 16, "CameraVendor", 0x1234},
        {"capital X", "CameraVendor : 0X12ab\r\n", 16, "CameraVendor", std::nullopt},
        {"first match wins", "CameraVendor : 0x0001\r\nCameraVendor : 0x0002\r\n", 16,
         "CameraVendor", 0x0001},
        {"before the begin marker", "CameraVendor : 0x0001\r\n=Begin Of Configuration=\r\n", 16,
         "CameraVendor", 0x0001},
        {"on the begin marker's line", "=Begin Of Configuration= CameraVendor : 0x0001\r\n", 16,
         "CameraVendor", std::nullopt},
        {"after the end marker", "=End Of Configuration=\r\nCameraVendor : 0x0001\r\n", 16,
         "CameraVendor", std::nullopt},
        {"on an unterminated last line", "CameraVendor : 0x0001", 16, "CameraVendor", std::nullopt},
        {"text before the key", "xCameraVendor : 0x0001\r\n", 16, "CameraVendor", std::nullopt},
        {"no digit after 0x", "CameraVendor : 0xzz\r\n", 16, "CameraVendor", std::nullopt},
        {"over-long line passed over", longLine + "CameraVendor : 0x0002\r\n", 16, "CameraVendor",
         0x0002},
        {"absent key", std::string(kDefaultConfiguration), 16, "CameraSerial", std::nullopt},
    };
    for (const auto& c : cases) {
        Store(c.content);
        EXPECT_EQ(Read(c.bits, c.key), c.expected) << c.what;
    }
}

TEST_F(ConfigurationReadTest, MissingFileReadsAsNotFoundAndLeavesTheValue) {
    uint16_t value = 7;
    EXPECT_FALSE(UTILITY_ReadConfigWord(Path(), "Version", value));
    EXPECT_EQ(value, 7);
}

}  // namespace
