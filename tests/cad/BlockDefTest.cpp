// Tests of ZWBlockDef, ZWBlockRecord and ZWBlockIns: lookup by name and id, names, origin,
// entity lists and reference queries.
#include "CadTestSupport.h"
#include "cad/BlockDef.h"
#include "cad/BlockIns.h"
#include "cad/BlockRecord.h"

namespace {

using cadtest::CadTest;
using cadtest::withObject;

using CadBlockDefTest = CadTest;

TEST_F(CadBlockDefTest, FindsADefinitionByNameWithoutRegardToCase) {
    ZcDbObjectId block = defineBlock(L"Exit", {});
    ZWBlockDef byName(L"EXIT");
    EXPECT_EQ(byName.id, block);
    EXPECT_EQ(byName.database, db);
    EXPECT_EQ(byName.status, 374);
    EXPECT_TRUE(byName.isBlockDefinition());
    EXPECT_EQ(byName.name(), L"Exit");
    EXPECT_EQ(byName.status, 0);

    ZWBlockDef missing(L"Nope");
    EXPECT_TRUE(missing.id.isNull());
    EXPECT_FALSE(missing.isBlockDefinition());
    EXPECT_EQ(missing.open(0), 15);
    EXPECT_TRUE(missing.name().IsEmpty());
    EXPECT_EQ(missing.setOrigin(ZcGePoint3d(1, 1, 0)), 379);
    EXPECT_EQ(missing.setName(L"X"), 15);
    EXPECT_TRUE(missing.entityIds().isEmpty());
}

TEST_F(CadBlockDefTest, ErasedDefinitionIsNotTaken) {
    ZcDbObjectId block = defineBlock(L"Old", {});
    erase(block);
    EXPECT_TRUE(ZWBlockDef(L"Old").id.isNull());
    EXPECT_FALSE(ZWBlockDef(block).isBlockDefinition());
    EXPECT_FALSE(ZWBlockRecord(L"Old").find());
}

TEST_F(CadBlockDefTest, LooksNamesUpInTheGivenDatabase) {
    ZcDbDatabase other(true, false);
    EXPECT_TRUE(ZWBlockDef(ZCDB_MODEL_SPACE, &other).isBlockDefinition());
    EXPECT_EQ(ZWBlockDef(ZCDB_MODEL_SPACE, &other).id, other.modelSpaceId());
    defineBlock(L"Here", {});
    EXPECT_TRUE(ZWBlockDef(L"Here", &other).id.isNull());
}

TEST_F(CadBlockDefTest, ConstructedFromAnIdTakesTheReferencedBlock) {
    ZcDbObjectId block = defineBlock(L"Sign", {});
    ZcDbObjectId reference = append(new ZcDbBlockReference(ZcGePoint3d(1, 2, 0), block));
    ZcDbObjectId circle = append(new ZcDbCircle(ZcGePoint3d(1, 2, 0), ZcGeVector3d::kZAxis, 3));
    EXPECT_EQ(ZWBlockDef(reference).id, block);
    EXPECT_EQ(ZWBlockDef(block).id, block);
    EXPECT_EQ(ZWBlockDef(reference).database, nullptr);
    EXPECT_TRUE(ZWBlockDef(circle).id.isNull());
    EXPECT_TRUE(ZWBlockDef(ZcDbObjectId::kNull).id.isNull());

    ZWBlockDef notARecord(block);
    notARecord.id = circle;
    EXPECT_EQ(notARecord.open(0), 21);
    EXPECT_EQ(notARecord.id, circle);
    EXPECT_FALSE(notARecord.isBlockDefinition());
}

TEST_F(CadBlockDefTest, RenamesAndMovesTheBasePoint) {
    ZcDbObjectId block = defineBlock(L"A", {}, ZcGePoint3d(5, 5, 0));
    defineBlock(L"Taken", {});
    ZWBlockDef definition(block);
    EXPECT_EQ(definition.setName(L"B"), 0);
    EXPECT_EQ(definition.name(), L"B");
    EXPECT_EQ(definition.setName(L"Taken"), Zcad::eDuplicateRecordName);
    EXPECT_EQ(definition.setOrigin(ZcGePoint3d(0, 0, 0)), 0);
    withObject<ZcDbBlockTableRecord>(block, [](ZcDbBlockTableRecord& record) {
        EXPECT_EQ(record.origin(), ZcGePoint3d(0, 0, 0));
    });
}

TEST_F(CadBlockDefTest, ListsEntitiesAndAttributeDefinitionsInBlockOrder) {
    ZcDbObjectId block = defineBlock(
        L"Sign", {new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)),
                  attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME"),
                  new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1),
                  attributeDefinition(ZcGePoint3d(0, 1, 0), L"DESC")});
    ZcDbObjectIdArray all = entitiesOf(block);
    ASSERT_EQ(all.length(), 4);
    erase(all[2]);

    ZWBlockDef definition(block);
    ZcDbObjectIdArray entities = definition.entityIds();
    ASSERT_EQ(entities.length(), 3);
    EXPECT_EQ(entities[0], all[0]);
    EXPECT_EQ(entities[2], all[3]);
    EXPECT_EQ(entities.growLength(), 8);
    ZcDbObjectIdArray definitions = definition.attributeDefinitions();
    ASSERT_EQ(definitions.length(), 2);
    EXPECT_EQ(definitions[0], all[1]);
    EXPECT_EQ(definitions[1], all[3]);
}

TEST_F(CadBlockDefTest, BlockRecordFindsNameAndIdOfTheWorkingDrawing) {
    ZcDbObjectId block = defineBlock(L"Fire_Exit", {});
    ZWBlockRecord record(L"fire_exit");
    EXPECT_TRUE(record.find());
    EXPECT_EQ(record.objectId(), block);
    EXPECT_EQ(record.name(), L"Fire_Exit");
    EXPECT_EQ(record.blockName, L"fire_exit");

    ZWBlockRecord missing(L"none");
    EXPECT_FALSE(missing.find());
    EXPECT_TRUE(missing.objectId().isNull());
    EXPECT_TRUE(missing.name().IsEmpty());
}

TEST_F(CadBlockDefTest, BlockReferenceGivesItsDefinitionAndAttributes) {
    ZcDbObjectId block = defineBlock(L"Sign", {attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME")});
    auto* reference = new ZcDbBlockReference(ZcGePoint3d(1, 2, 0), block);
    ZcDbObjectId referenceId = append(reference);
    ZcDbBlockReference* open = nullptr;
    ASSERT_EQ(zcdbOpenObject(open, referenceId, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId first, second;
    auto* a = new ZcDbAttribute(ZcGePoint3d(0, 0, 0), L"one", L"NAME");
    auto* b = new ZcDbAttribute(ZcGePoint3d(0, 0, 0), L"two", L"DESC");
    ASSERT_EQ(open->appendAttribute(first, a), Zcad::eOk);
    ASSERT_EQ(open->appendAttribute(second, b), Zcad::eOk);
    a->close();
    b->close();
    open->close();

    ZWBlockIns ins(referenceId);
    EXPECT_TRUE(ins.isBlockReference());
    EXPECT_EQ(ins.blockDefinitionId(), block);
    ZcDbObjectIdArray attributes = ins.attributes();
    ASSERT_EQ(attributes.length(), 2);
    EXPECT_EQ(attributes[0], first);
    EXPECT_EQ(attributes[1], second);

    erase(first);
    attributes = ins.attributes();
    ASSERT_EQ(attributes.length(), 1);
    EXPECT_EQ(attributes[0], second);
}

}  // namespace
