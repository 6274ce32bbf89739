// Inserting a drawing as a block: the deep clone of its model space with nested blocks,
// layers and styles, names the target already has, and bounded nesting.
#include "StrictDatabaseTest.h"

namespace {

class DbInsertTest : public StrictDatabaseTest {
protected:
    void SetUp() override {
        StrictDatabaseTest::SetUp();
        source_ = std::make_unique<ZcDbDatabase>(true, false);
        watch(source_.get());
    }
    void TearDown() override {
        StrictDatabaseTest::TearDown();
        forget(source_.get());
    }

    ZcDbDatabase* source() { return source_.get(); }

    std::unique_ptr<ZcDbDatabase> source_;
};

std::vector<ZcDbObjectId> entitiesOf(ZcDbObjectId block) {
    ZcDbBlockTableRecord* r = nullptr;
    std::vector<ZcDbObjectId> ids;
    if (zcdbOpenObject(r, block, ZcDb::kForRead) != Zcad::eOk)
        return ids;
    ZcDbBlockTableRecordIterator* it = nullptr;
    r->newIterator(it);
    for (; !it->done(); it->step()) {
        ZcDbObjectId id;
        it->getEntityId(id);
        ids.push_back(id);
    }
    delete it;
    r->close();
    return ids;
}

TEST_F(DbInsertTest, ClonesModelSpaceWithNestedBlocksAndLayers) {
    ZcDbObjectId red = addLayer(source(), L"Red", 1);
    ZcDbObjectId frame = addBlock(source(), L"Frame");
    auto* inner = new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 2);
    inner->setLayer(red);
    append(inner, source(), frame);
    auto* ref = new ZcDbBlockReference({5, 5, 0}, frame);
    append(ref, source());
    auto* def = new ZcDbAttributeDefinition({1, 1, 0}, L"d", L"NAME", L"p");
    def->setInvisible(true);
    append(def, source());
    source()->setInsbase({3, 4, 0});

    // The target already has a layer "RED" (different case, other colour): it is kept.
    ZcDbObjectId targetRed = addLayer(db(), L"RED", 5);

    ZcDbObjectId blockId;
    ASSERT_EQ(Zcad::eOk, db()->insert(blockId, L"Sign", source(), false));
    ASSERT_TRUE(blockId.isValid());
    EXPECT_EQ(db(), blockId.database());

    ZcDbBlockTableRecord* block = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(block, blockId, ZcDb::kForRead));
    EXPECT_TRUE(block->origin().isEqualTo({3, 4, 0}));
    EXPECT_TRUE(block->hasAttributeDefinitions());
    EXPECT_STREQ(L"Sign", block->getNameConst());
    block->close();

    std::vector<ZcDbObjectId> ids = entitiesOf(blockId);
    ASSERT_EQ(2u, ids.size());
    ZcDbBlockReference* clonedRef = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(clonedRef, ids[0], ZcDb::kForRead));
    ZcDbObjectId clonedFrame = clonedRef->blockTableRecord();
    EXPECT_EQ(db(), clonedFrame.database());
    EXPECT_EQ(db()->layerZero(), clonedRef->layerId());
    clonedRef->close();
    ZcDbAttributeDefinition* clonedDef = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(clonedDef, ids[1], ZcDb::kForRead));
    EXPECT_TRUE(clonedDef->isInvisible());
    EXPECT_EQ(db()->textstyle(), clonedDef->textStyle());
    clonedDef->close();

    std::vector<ZcDbObjectId> frameIds = entitiesOf(clonedFrame);
    ASSERT_EQ(1u, frameIds.size());
    ZcDbCircle* clonedCircle = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(clonedCircle, frameIds[0], ZcDb::kForRead));
    EXPECT_EQ(targetRed, clonedCircle->layerId());
    clonedCircle->close();

    // The source is unchanged and its ids stay its own.
    EXPECT_EQ(1u, entitiesOf(frame).size());
    EXPECT_EQ(Zcad::eDuplicateRecordName, db()->insert(blockId, L"SIGN", source()));
}

TEST_F(DbInsertTest, ExistingNestedBlocksOfTheTargetAreKept) {
    ZcDbObjectId frame = addBlock(source(), L"Frame");
    append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 2), source(), frame);
    append(new ZcDbBlockReference({0, 0, 0}, frame), source());
    ZcDbObjectId targetFrame = addBlock(db(), L"FRAME");

    ZcDbObjectId blockId;
    ASSERT_EQ(Zcad::eOk, db()->insert(blockId, L"S", source()));
    ZcDbBlockReference* ref = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(ref, entitiesOf(blockId).at(0), ZcDb::kForRead));
    EXPECT_EQ(targetFrame, ref->blockTableRecord());
    ref->close();
    EXPECT_TRUE(entitiesOf(targetFrame).empty());  // not redefined
}

TEST_F(DbInsertTest, RefusesBadInputWithoutChangingTheTarget) {
    int before = db()->approxNumObjects();
    ZcDbObjectId blockId;
    EXPECT_EQ(Zcad::eInvalidInput, db()->insert(blockId, L"", source()));
    EXPECT_EQ(Zcad::eInvalidInput, db()->insert(blockId, L"X", nullptr));
    EXPECT_EQ(Zcad::eInvalidInput, db()->insert(blockId, L"a<b", source()));
    EXPECT_EQ(Zcad::eSelfReference, db()->insert(blockId, L"X", db()));
    EXPECT_TRUE(blockId.isNull());
    EXPECT_EQ(before, db()->approxNumObjects());
}

TEST_F(DbInsertTest, CyclicNestingIsRefused) {
    ZcDbObjectId a = addBlock(source(), L"A");
    ZcDbObjectId b = addBlock(source(), L"B");
    append(new ZcDbBlockReference({0, 0, 0}, b), source(), a);
    append(new ZcDbBlockReference({0, 0, 0}, a), source(), b);
    append(new ZcDbBlockReference({0, 0, 0}, a), source());
    int before = db()->approxNumObjects();
    ZcDbObjectId blockId;
    EXPECT_EQ(Zcad::eCannotNestBlockDefinitions, db()->insert(blockId, L"S", source()));
    EXPECT_EQ(before, db()->approxNumObjects());

    // A block that refers to the source's model space is a cycle too.
    ZcDbDatabase other;
    watch(&other);
    ZcDbObjectId c = addBlock(&other, L"C");
    append(new ZcDbBlockReference({0, 0, 0}, other.modelSpaceId()), &other, c);
    append(new ZcDbBlockReference({0, 0, 0}, c), &other);
    EXPECT_EQ(Zcad::eCannotNestBlockDefinitions, db()->insert(blockId, L"T", &other));
    forget(&other);
}

TEST_F(DbInsertTest, DeepNestingIsBoundedWithoutRecursion) {
    // 10,000 blocks, each holding a reference to the next.
    const int depth = 10000;
    std::vector<ZcDbObjectId> blocks;
    for (int i = 0; i < depth; ++i)
        blocks.push_back(addBlock(source(), (L"N" + std::to_wstring(i)).c_str()));
    for (int i = 0; i + 1 < depth; ++i)
        append(new ZcDbBlockReference({1, 0, 0}, blocks[i + 1]), source(), blocks[i]);
    append(new ZcDbBlockReference({0, 0, 0}, blocks[0]), source());
    ZcDbObjectId blockId;
    EXPECT_EQ(Zcad::eCannotNestBlockDefinitions, db()->insert(blockId, L"Deep", source()));

    // Within the limit the same structure is cloned.
    ZcDbDatabase shallow;
    watch(&shallow);
    ZcDbObjectId previous;
    for (int i = 0; i < 20; ++i) {
        ZcDbObjectId b = addBlock(&shallow, (L"N" + std::to_wstring(i)).c_str());
        if (!previous.isNull())
            append(new ZcDbBlockReference({1, 0, 0}, previous), &shallow, b);
        previous = b;
    }
    append(new ZcDbBlockReference({0, 0, 0}, previous), &shallow);
    ASSERT_EQ(Zcad::eOk, db()->insert(blockId, L"Shallow", &shallow));
    ZcDbBlockReference* top = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(top, entitiesOf(blockId).at(0), ZcDb::kForRead));
    ZcDbExtents box;
    EXPECT_EQ(Zcad::eOk, top->getGeomExtents(box));
    top->close();
    forget(&shallow);
}

}  // namespace
