// The application carries the driver's installation package among its resources.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/fs/Resources.h"
#include "resources/ResourceIds.h"

namespace {

// The file names of a tar archive.
std::set<std::string> TarEntries(std::span<const std::byte> archive) {
    std::set<std::string> names;
    constexpr size_t kBlock = 512;
    for (size_t at = 0; at + kBlock <= archive.size();) {
        const char* header = reinterpret_cast<const char*>(archive.data() + at);
        if (header[0] == '\0') {
            break;
        }
        names.emplace(header, strnlen(header, 100));
        size_t size = std::strtoul(std::string(header + 124, 12).c_str(), nullptr, 8);
        at += kBlock + (size + kBlock - 1) / kBlock * kBlock;
    }
    return names;
}

TEST(DriverPackage, IsEmbeddedWithItsRuleUnitAndIdentifierList) {
    auto package = resources::Find(resources::kDriverType, resources::kDriverPackageId);
    ASSERT_TRUE(package.has_value());
    EXPECT_EQ(TarEntries(*package),
              (std::set<std::string>{"70-ostrel.rules", "ostrel.hwids", "ostreld.service"}));
}

}  // namespace
