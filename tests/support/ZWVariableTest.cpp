// Tests of the system-variable accessors against the host's variable table.
#include <gtest/gtest.h>

#include "support/AppData.h"
#include "support/ZWVariable.h"

#include <stdlib.h>

namespace {

TEST(ZWVariableTest, ReadsAndWritesThroughTheHost) {
    ZWVariable pickStyle(L"PICKSTYLE");
    EXPECT_TRUE(pickStyle.setInt(0));
    EXPECT_EQ(pickStyle.getInt(), 0);
    EXPECT_TRUE(setIntVar(L"pickstyle", 3));
    EXPECT_EQ(pickStyle.getInt(), 3);
    EXPECT_TRUE(pickStyle.setInt(1));

    double size = -1.0;
    getRealVar(L"DIMASZ", size);
    EXPECT_GT(size, 0.0);
    EXPECT_DOUBLE_EQ(ZWVariable(L"DIMASZ").getReal(), size);
    EXPECT_FALSE(ZWVariable(L"TEXTSTYLE").getString().IsEmpty());
}

TEST(ZWVariableTest, UnknownVariableGivesEmptyValues) {
    ZWVariable unknown(L"NO_SUCH_VARIABLE");
    EXPECT_EQ(unknown.getInt(), 0);
    EXPECT_EQ(unknown.getReal(), 0.0);
    EXPECT_EQ(unknown.getString(), L"");
    EXPECT_FALSE(unknown.setInt(1));
    double out = 5.0;
    getRealVar(L"NO_SUCH_VARIABLE", out);
    EXPECT_EQ(out, 0.0);
}

TEST(AppDataTest, ExpandsTheApplicationDataVariable) {
    setenv("APPDATA", "C:\\Users\\u\\AppData\\Roaming", 1);
    EXPECT_EQ(appDataFolder(), L"C:\\Users\\u\\AppData\\Roaming");
    unsetenv("APPDATA");
    EXPECT_FALSE(appDataFolder().IsEmpty());
}

}  // namespace
