// System variables kept in the working drawing's header.
#include "StrictDatabaseTest.h"
#include "host/SysVars.h"
#include "host/db/SessionHooks.h"

namespace {

class DbHeaderVariableTest : public StrictDatabaseTest {
protected:
    void SetUp() override {
        StrictDatabaseTest::SetUp();
        host::db::bindHeaderVariables();
    }
};

TEST_F(DbHeaderVariableTest, ReadAndWriteTheWorkingDrawing) {
    host::SysVars& vars = host::sysVars();
    ZcDbObjectId walls = addLayer(db(), L"Walls");
    EXPECT_EQ(L"0", vars.stringValue(L"CLAYER"));
    ASSERT_TRUE(vars.hostSetString(L"clayer", L"walls"));
    EXPECT_EQ(walls, db()->clayer());
    EXPECT_EQ(L"Walls", vars.stringValue(L"CLAYER"));
    EXPECT_FALSE(vars.hostSetString(L"CLAYER", L"NoSuchLayer"));
    EXPECT_EQ(walls, db()->clayer());

    db()->setTextsize(3.5);
    EXPECT_DOUBLE_EQ(3.5, vars.realValue(L"TEXTSIZE"));
    ASSERT_TRUE(vars.hostSetReal(L"DIMASZ", 4.0));
    EXPECT_DOUBLE_EQ(4.0, db()->dimasz());
    ASSERT_TRUE(vars.hostSetString(L"CECOLOR", L"1"));
    EXPECT_EQ(1, db()->cecolor().colorIndex());
    EXPECT_EQ(L"1", vars.stringValue(L"CECOLOR"));

    EXPECT_EQ(L"Model", vars.stringValue(L"CTAB"));
    ASSERT_TRUE(vars.hostSetString(L"CTAB", L"Layout1"));
    EXPECT_EQ(db()->paperSpaceId(), db()->currentSpaceId());
    EXPECT_EQ(0, vars.shortValue(L"TILEMODE"));
    ASSERT_TRUE(vars.hostSetShort(L"TILEMODE", 1));
    EXPECT_EQ(db()->modelSpaceId(), db()->currentSpaceId());

    // Another working drawing answers with its own values.
    ZcDbDatabase other;
    zcdbHostApplicationServices()->setWorkingDatabase(&other);
    EXPECT_EQ(L"0", vars.stringValue(L"CLAYER"));
    EXPECT_DOUBLE_EQ(2.5, vars.realValue(L"DIMASZ"));
    zcdbHostApplicationServices()->setWorkingDatabase(db());
}

}  // namespace
