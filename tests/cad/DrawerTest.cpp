// Tests of ZWDrawer: appending to model space, to a given space and to the current space.
#include "CadTestSupport.h"
#include "cad/Drawer.h"
#include "host/db/Database.h"

namespace {

using cadtest::CadTest;

using CadDrawerTest = CadTest;

ZcDbLine* newLine() {
    return new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(5, 5, 0));
}

TEST_F(CadDrawerTest, AddWithoutSpaceAppendsToModelSpaceAndLeavesTheEntityOpen) {
    ZcDbLine* line = newLine();
    ASSERT_EQ(ZWDrawer::Add(line), 0);
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_EQ(line->ownerId(), db->modelSpaceId());
    EXPECT_EQ(host::db::openObjectCount(db), 1);
    line->close();
    EXPECT_EQ(modelSpaceEntities().length(), 1);
}

TEST_F(CadDrawerTest, AddClosesTheSpaceItWasGiven) {
    for (ZcDb::OpenMode mode : {ZcDb::kForWrite, ZcDb::kForRead}) {
        ZcDbBlockTableRecord* paper = nullptr;
        ASSERT_EQ(zcdbOpenObject(paper, db->paperSpaceId(), mode), Zcad::eOk);
        ZcDbLine* line = newLine();
        ASSERT_EQ(ZWDrawer::Add(line, paper), 0) << "mode " << mode;
        EXPECT_EQ(line->ownerId(), db->paperSpaceId());
        line->close();
        EXPECT_EQ(host::db::openObjectCount(db), 0) << "mode " << mode;
    }
    EXPECT_EQ(entitiesOf(db->paperSpaceId()).length(), 2);
}

TEST_F(CadDrawerTest, AddWithoutEntityPrintsItsNameAndGives20) {
    EXPECT_EQ(ZWDrawer::Add(nullptr), 20);
    EXPECT_EQ(takeTranscript(), L"ZWDrawer::Add");
    EXPECT_EQ(ZWDrawer::AddToCurrentSpace(nullptr), 20);
    EXPECT_EQ(takeTranscript(), L"");
}

TEST_F(CadDrawerTest, AddWithoutWorkingDatabaseGives221AndAppendsNothing) {
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    ZcDbLine* line = newLine();
    EXPECT_EQ(ZWDrawer::Add(line), 221);
    EXPECT_EQ(ZWDrawer::AddToCurrentSpace(line), 221);
    EXPECT_FALSE(line->isDatabaseResident());
    delete line;
    zcdbHostApplicationServices()->setWorkingDatabase(db);
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

TEST_F(CadDrawerTest, AddPassesTheHostsAppendStatusThrough) {
    ZcDbLine* line = newLine();
    ASSERT_EQ(ZWDrawer::Add(line), 0);
    EXPECT_EQ(ZWDrawer::Add(line), Zcad::eAlreadyInDb);
    line->close();
    EXPECT_EQ(modelSpaceEntities().length(), 1);
}

TEST_F(CadDrawerTest, AddToCurrentSpaceFollowsTheCurrentLayout) {
    ZcDbLine* first = newLine();
    ASSERT_EQ(ZWDrawer::AddToCurrentSpace(first), 0);
    EXPECT_EQ(first->ownerId(), db->modelSpaceId());
    first->close();

    ASSERT_EQ(host::db::setCurrentSpace(db, db->paperSpaceId()), Zcad::eOk);
    ZcDbLine* second = newLine();
    ASSERT_EQ(ZWDrawer::AddToCurrentSpace(second), 0);
    EXPECT_EQ(second->ownerId(), db->paperSpaceId());
    second->close();

    ZcDbLine* third = newLine();
    ASSERT_EQ(ZWDrawer::AddToCurrentSpace(third, db->modelSpaceId()), 0);
    EXPECT_EQ(third->ownerId(), db->modelSpaceId());
    third->close();
}

TEST_F(CadDrawerTest, AddToCurrentSpaceRefusesTargetsThatAreNoBlockRecords) {
    ZcDbLine* line = newLine();
    EXPECT_EQ(ZWDrawer::AddToCurrentSpace(line, db->layerZero()), 34);

    ZcDbObjectId erased = defineBlock(L"Gone", {});
    erase(erased);
    EXPECT_EQ(ZWDrawer::AddToCurrentSpace(line, erased), Zcad::eWasErased);

    ZcDbBlockTableRecord* held = nullptr;
    ASSERT_EQ(zcdbOpenObject(held, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    EXPECT_EQ(ZWDrawer::AddToCurrentSpace(line, db->modelSpaceId()), Zcad::eWasOpenForWrite);
    held->close();

    EXPECT_FALSE(line->isDatabaseResident());
    delete line;
}

}  // namespace
