#include "platform/fs/Resources.h"

#include <gtest/gtest.h>

#include <cstring>

#include "resources/ResourceIds.h"

namespace {

TEST(Resources, FindsTheDatabaseTemplateByTypeAndId) {
    auto bytes = resources::Find(resources::kTemplateType, resources::kDatabaseTemplateId);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_GT(bytes->size(), 16u);
    EXPECT_EQ(std::memcmp(bytes->data(), "SQLite format 3", 16), 0);
}

TEST(Resources, UnknownTypeOrIdIsAbsent) {
    EXPECT_FALSE(resources::Find("TEMPLATE", 3001).has_value());
    EXPECT_FALSE(resources::Find("BITMAP", resources::kDatabaseTemplateId).has_value());
}

}  // namespace
