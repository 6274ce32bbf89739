// Symbol tables: the default drawing, names without regard to case, adding, renaming,
// iterators that skip erased records and block record iterators.
#include "StrictDatabaseTest.h"
#include "zcutads.h"

namespace {

class DbSymbolTableTest : public StrictDatabaseTest {};

TEST_F(DbSymbolTableTest, DefaultDrawingHoldsTheStandardRecords) {
    struct Case {
        const wchar_t* name;
        ZcDbObjectId table;
    } cases[] = {{L"*Model_Space", db()->blockTableId()}, {L"*PAPER_SPACE", db()->blockTableId()},
                 {L"0", db()->layerTableId()},            {L"bylayer", db()->linetypeTableId()},
                 {L"ByBlock", db()->linetypeTableId()},    {L"CONTINUOUS", db()->linetypeTableId()},
                 {L"standard", db()->textStyleTableId()},  {L"Acad", db()->regAppTableId()}};
    for (const Case& c : cases) {
        ZcDbSymbolTable* table = nullptr;
        ASSERT_EQ(Zcad::eOk, zcdbOpenObject(table, c.table, ZcDb::kForRead));
        EXPECT_TRUE(table->has(c.name));
        ZcDbObjectId id;
        EXPECT_EQ(Zcad::eOk, table->getAt(c.name, id));
        EXPECT_TRUE(table->has(id));
        table->close();
    }
    EXPECT_EQ(db()->clayer(), db()->layerZero());
    EXPECT_DOUBLE_EQ(2.5, db()->textsize());
    EXPECT_DOUBLE_EQ(2.5, db()->dimasz());
    EXPECT_EQ(4, db()->insunits());
    EXPECT_TRUE(db()->measurement());
    EXPECT_TRUE(db()->tilemode());
    EXPECT_EQ(db()->modelSpaceId(), db()->currentSpaceId());
    ASSERT_EQ(Zcad::eOk, host::db::setCurrentLayout(db(), L"layout1"));
    EXPECT_EQ(db()->paperSpaceId(), db()->currentSpaceId());
    EXPECT_FALSE(db()->tilemode());
    ASSERT_EQ(Zcad::eOk, host::db::setCurrentLayout(db(), L"Model"));
    EXPECT_EQ(db()->modelSpaceId(), db()->currentSpaceId());
}

TEST_F(DbSymbolTableTest, AddLookUpAndRename) {
    addBlock(db(), L"Exit");
    ZcDbBlockTable* table = nullptr;
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(table, ZcDb::kForRead));
    EXPECT_TRUE(table->has(L"EXIT"));
    EXPECT_FALSE(table->has(L"Exi"));
    ZcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(Zcad::eOk, table->getAt(L"exit", record, ZcDb::kForWrite));
    const ZTCHAR* stored = nullptr;
    record->getName(stored);
    EXPECT_STREQ(L"Exit", stored);  // stored as created
    ZTCHAR* copy = nullptr;
    ASSERT_EQ(Zcad::eOk, record->getName(copy));
    EXPECT_STREQ(L"Exit", copy);
    zcutDelBuffer(copy);
    EXPECT_EQ(Zcad::eDuplicateRecordName, record->setName(L"*MODEL_SPACE"));
    EXPECT_EQ(Zcad::eInvalidInput, record->setName(L"a|b"));
    EXPECT_EQ(Zcad::eOk, record->setName(L"Wyjscie"));
    record->close();
    EXPECT_FALSE(table->has(L"exit"));
    EXPECT_TRUE(table->has(L"WYJSCIE"));
    table->close();

    // Adding needs the table open for write; duplicate names are refused.
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(table, ZcDb::kForRead));
    auto* other = new ZcDbBlockTableRecord;
    other->setName(L"wyjscie");
    EXPECT_EQ(Zcad::eNotOpenForWrite, table->add(other));
    ASSERT_EQ(Zcad::eOk, table->upgradeOpen());
    EXPECT_EQ(Zcad::eDuplicateRecordName, table->add(other));
    auto* layer = new ZcDbLayerTableRecord;
    layer->setName(L"L");
    EXPECT_EQ(Zcad::eWrongObjectType, table->add(layer));
    delete layer;
    table->close();
    delete other;
}

TEST_F(DbSymbolTableTest, NamesCompareWithoutCaseBeyondAscii) {
    addLayer(db(), L"Ściany");
    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(layers, ZcDb::kForRead));
    EXPECT_TRUE(layers->has(L"ŚCIANY"));
    EXPECT_TRUE(layers->has(L"ściany"));
    EXPECT_FALSE(layers->has(L"sciany"));
    layers->close();
}

TEST_F(DbSymbolTableTest, IteratorsSkipErasedRecordsAndEntities) {
    ZcDbObjectId a = addLayer(db(), L"A");
    addLayer(db(), L"B");
    ZcDbLayerTableRecord* record = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(record, a, ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, record->erase());
    record->close();

    auto names = [&](bool skipDeleted) {
        std::wstring out;
        ZcDbLayerTable* table = nullptr;
        EXPECT_EQ(Zcad::eOk, db()->getSymbolTable(table, ZcDb::kForRead));
        ZcDbLayerTableIterator* it = nullptr;
        table->newIterator(it, true, skipDeleted);
        for (; !it->done(); it->step(true, skipDeleted)) {
            ZcDbLayerTableRecord* r = nullptr;
            if (it->getRecord(r, ZcDb::kForRead, true) == Zcad::eOk) {
                out += r->getNameConst();
                out += L",";
                r->close();
            }
        }
        delete it;
        table->close();
        return out;
    };
    EXPECT_EQ(L"0,B,", names(true));
    EXPECT_EQ(L"0,A,B,", names(false));

    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(table, ZcDb::kForRead));
    EXPECT_FALSE(table->has(L"A"));
    ZcDbObjectId found;
    EXPECT_EQ(Zcad::eKeyNotFound, table->getAt(L"A", found));
    EXPECT_EQ(Zcad::eOk, table->getAt(L"A", found, true));
    EXPECT_EQ(a, found);
    table->close();

    // The same for the entities of a block.
    ZcDbObjectId first = append(new ZcDbLine({0, 0, 0}, {1, 0, 0}));
    ZcDbObjectId second = append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1));
    ZcDbObjectId third = append(new ZcDbPoint({2, 2, 0}));
    ZcDbEntity* e = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenZcDbEntity(e, second, ZcDb::kForWrite));
    e->erase();
    e->close();
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(space, db()->modelSpaceId(), ZcDb::kForRead));
    ZcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(Zcad::eOk, space->newIterator(it));
    std::vector<ZcDbObjectId> seen;
    for (; !it->done(); it->step()) {
        ZcDbObjectId id;
        it->getEntityId(id);
        seen.push_back(id);
        ZcDbEntity* opened = nullptr;
        ASSERT_EQ(Zcad::eOk, it->getEntity(opened, ZcDb::kForRead));
        opened->close();
    }
    delete it;
    space->close();
    EXPECT_EQ((std::vector<ZcDbObjectId>{first, third}), seen);
}

TEST_F(DbSymbolTableTest, StandardRecordsCannotBeErased) {
    ZcDbLayerTableRecord* zero = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(zero, db()->layerZero(), ZcDb::kForWrite));
    EXPECT_EQ(Zcad::eCannotBeErasedByCaller, zero->erase());
    zero->close();
}

TEST_F(DbSymbolTableTest, RegisteredApplications) {
    EXPECT_EQ(RTNORM, zcdbRegApp(L"BHP"));
    EXPECT_EQ(RTERROR, zcdbRegApp(L"bhp"));
    ZcDbRegAppTable* apps = nullptr;
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(apps, ZcDb::kForRead));
    EXPECT_TRUE(apps->has(L"BHP"));
    apps->close();
}

}  // namespace
