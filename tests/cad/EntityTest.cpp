// Tests of Entity and the typed wrappers: validity statuses, class tests, open/close
// discipline and robustness on ids that lead nowhere.
#include <cmath>

#include "CadTestSupport.h"
#include "host/db/Database.h"
#include "cad/Attributes.h"
#include "cad/BlockIns.h"
#include "cad/Entity.h"

namespace {

using cadtest::CadTest;
using cadtest::withObject;

using CadEntityTest = CadTest;

TEST_F(CadEntityTest, WrappersStartNullWithStatus374) {
    Entity entity;
    EXPECT_TRUE(entity.id.isNull());
    EXPECT_EQ(entity.status, 374);
    EXPECT_EQ(entity.entityStatus, 374);
    EXPECT_EQ(nullObjectId, ZcDbObjectId::kNull);
}

TEST_F(CadEntityTest, OpenOnTheNullIdGives374AndOpensNothing) {
    Entity entity(nullObjectId);
    EXPECT_EQ(entity.open(0), 374);
    EXPECT_EQ(entity.entityStatus, 374);
    EXPECT_EQ(entity.entity, nullptr);
    EXPECT_EQ(entity.transformBy(ZcGeMatrix3d::kIdentity), 374);
}

TEST_F(CadEntityTest, OpenOnAnErasedEntityGives80) {
    ZcDbObjectId id = append(new ZcDbCircle(ZcGePoint3d(1, 2, 0), ZcGeVector3d::kZAxis, 3));
    erase(id);
    Entity entity(id);
    EXPECT_EQ(entity.open(1), 80);
    EXPECT_EQ(entity.entityStatus, 80);
    EXPECT_EQ(entity.entity, nullptr);
    EXPECT_EQ(entity.transformBy(ZcGeMatrix3d::kIdentity), 80);
    ZWBlockIns reference(id);
    EXPECT_EQ(reference.open(0), 80);
    EXPECT_TRUE(reference.attributes().isEmpty());
}

TEST_F(CadEntityTest, OpenAndCloseRecordTheHostsResults) {
    ZcDbObjectId id = append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)));
    Entity entity(id);
    ASSERT_EQ(entity.open(1), 0);
    ASSERT_NE(entity.entity, nullptr);
    EXPECT_TRUE(entity.entity->isWriteEnabled());
    EXPECT_EQ(entity.close(), 0);
    EXPECT_EQ(entity.entity, nullptr);
    // A second close has nothing to close and repeats the last recorded result.
    EXPECT_EQ(entity.close(), 0);
}

TEST_F(CadEntityTest, RefusedOpenGives20WithoutRecordingIt) {
    ZcDbObjectId id = append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)));
    ZcDbEntity* holder = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(holder, id, ZcDb::kForWrite), Zcad::eOk);
    Entity entity(id);
    EXPECT_EQ(entity.open(1), 20);
    EXPECT_EQ(entity.entityStatus, 0);
    EXPECT_EQ(entity.entity, nullptr);
    EXPECT_EQ(entity.openEntity(0), nullptr);
    EXPECT_EQ(entity.transformBy(ZcGeMatrix3d::kIdentity), 20);
    holder->close();
}

TEST_F(CadEntityTest, NonEntityObjectDoesNotOpenAsEntity) {
    Entity entity(db->layerZero());
    EXPECT_EQ(entity.open(0), 20);
    EXPECT_EQ(entity.entity, nullptr);
}

TEST_F(CadEntityTest, TransformByMovesTheEntityAndClosesIt) {
    ZcDbObjectId id = append(new ZcDbCircle(ZcGePoint3d(1, 2, 0), ZcGeVector3d::kZAxis, 3));
    Entity entity(id);
    EXPECT_EQ(entity.transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(10, 0, 0))), 0);
    EXPECT_EQ(entity.entityStatus, 0);
    withObject<ZcDbCircle>(id, [](ZcDbCircle& circle) {
        EXPECT_EQ(circle.center(), ZcGePoint3d(11, 2, 0));
    });
}

TEST_F(CadEntityTest, TypedOpenOfAnotherClassGives21AndMakesTheWrapperNull) {
    ZcDbObjectId circle = append(new ZcDbCircle(ZcGePoint3d(1, 2, 0), ZcGeVector3d::kZAxis, 3));
    ZWBlockIns reference(circle);
    EXPECT_EQ(reference.open(0), 21);
    EXPECT_EQ(reference.entityStatus, 0);  // the close of the circle
    EXPECT_TRUE(reference.id.isNull());
    EXPECT_EQ(reference.entity, nullptr);
    EXPECT_EQ(reference.typed, nullptr);
    EXPECT_EQ(reference.open(0), 374);
    EXPECT_FALSE(reference.isBlockReference());
    EXPECT_TRUE(reference.blockDefinitionId().isNull());
}

TEST_F(CadEntityTest, TypedOpenSetsTheTypedViewAndCloseClearsIt) {
    ZcDbObjectId id = append(new ZcDbText(ZcGePoint3d(0, 0, 0), L"x"));
    ZWAttributeReference wrongKind(id);
    EXPECT_EQ(wrongKind.open(0), 21);

    ZcDbObjectId block = defineBlock(L"B", {});
    ZcDbObjectId reference = append(new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), block));
    ZWBlockIns ins(reference);
    ASSERT_EQ(ins.open(0), 0);
    EXPECT_EQ(ins.typed, ins.entity);
    EXPECT_EQ(ins.typed->blockTableRecord(), block);
    EXPECT_EQ(ins.close(), 0);
    EXPECT_EQ(ins.typed, nullptr);
    EXPECT_EQ(ins.close(), 0);
}

TEST_F(CadEntityTest, ReopeningAnOpenWrapperDoesNotLeaveAnOpenBehind) {
    ZcDbObjectId id = append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)));
    Entity entity(id);
    ASSERT_EQ(entity.open(0), 0);
    ASSERT_EQ(entity.open(0), 0);
    entity.close();
}

TEST_F(CadEntityTest, IdsOfOtherAndDeletedDatabasesGiveStatuses) {
    auto* other = new ZcDbDatabase(true, false);
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(zcdbOpenObject(space, other->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId foreign;
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ASSERT_EQ(space->appendZcDbEntity(foreign, line), Zcad::eOk);
    line->close();
    space->close();

    // A live database's objects open as any other.
    Entity entity(foreign);
    EXPECT_EQ(entity.open(0), 0);
    EXPECT_EQ(entity.close(), 0);
    EXPECT_EQ(host::db::openObjectCount(other), 0);

    delete other;
    Entity orphan(foreign);
    EXPECT_EQ(orphan.open(0), 374);
    EXPECT_EQ(orphan.transformBy(ZcGeMatrix3d::kIdentity), 374);
    ZWAttributeDefinition definition(foreign);
    EXPECT_EQ(definition.open(0), 374);
    EXPECT_TRUE(definition.tag().IsEmpty());
    EXPECT_FALSE(definition.isAttributeDefinition());
}

}  // namespace
