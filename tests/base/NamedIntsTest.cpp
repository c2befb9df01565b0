#include "base/NamedInts.h"
#include "resources/resource.h"
#include "support/TestLanguage.h"

#include <gtest/gtest.h>

using gvt::test::Pick;

TEST(NamedInts, FirstMatchWinsAndDefaultNames)
{
    CNamedInts table;
    table.AddNamed(0, 7);
    table.AddNamed(IDS_ITALIC, 7);
    EXPECT_EQ(table.FindValue(7), 0);
    EXPECT_EQ(table.NameOf(7), L"") << "id 0 gives an empty name";
    EXPECT_EQ(table.At(1)->Name, Pick(L"斜体", L"Italic"));

    EXPECT_EQ(CNamedInt(-12).Name, L"-12");
    EXPECT_EQ(CNamedInt(0).Name, L"0");
}
