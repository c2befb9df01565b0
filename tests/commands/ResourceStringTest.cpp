#include "commands/ResourceString.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

TEST(ResourceString, LoadsProductName)
{
    EXPECT_EQ(ResourceString(IDS_PRODUCT), L"Glyvanter");
}
