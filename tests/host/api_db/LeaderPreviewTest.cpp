// Leaders (arrow blocks made on request, overrides, annotation) and block preview icons.
#include "StrictDatabaseTest.h"
#include "host/db/Codec.h"

namespace {

class DbLeaderTest : public StrictDatabaseTest {};

TEST_F(DbLeaderTest, DotArrowBecomesAFilledCircleBlock) {
    auto* leader = new ZcDbLeader;
    leader->appendVertex({10, 10, 0});
    leader->appendVertex({0, 0, 0});
    leader->setDimscale(2.0);
    leader->setDimasz(3.0);
    ZcDbObjectId id = append(leader);

    ZcDbLeader* l = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(l, id, ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, l->setDimldrblk(L"Dot"));
    ZcDbObjectId arrow = l->dimldrblk();
    EXPECT_EQ(Zcad::eKeyNotFound, l->setDimldrblk(L"NoSuchArrow"));
    EXPECT_EQ(arrow, l->dimldrblk());
    EXPECT_DOUBLE_EQ(3.0, l->dimasz());
    EXPECT_DOUBLE_EQ(2.0, l->dimscale());
    ZcGePoint3d end;
    ASSERT_EQ(Zcad::eOk, l->getEndPoint(end));
    EXPECT_EQ(ZcGePoint3d(0, 0, 0), end);
    EXPECT_EQ(ZcGePoint3d(10, 10, 0), l->firstVertex());
    l->close();

    ZcDbBlockTable* table = nullptr;
    ASSERT_EQ(Zcad::eOk, db()->getSymbolTable(table, ZcDb::kForRead));
    ZcDbObjectId dotId;
    EXPECT_EQ(Zcad::eOk, table->getAt(L"_Dot", dotId));
    table->close();
    EXPECT_EQ(arrow, dotId);
    ZcDbBlockTableRecord* dot = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(dot, dotId, ZcDb::kForRead));
    ZcDbBlockTableRecordIterator* it = nullptr;
    dot->newIterator(it);
    ZcDbEntity* e = nullptr;
    ASSERT_EQ(Zcad::eOk, it->getEntity(e));
    auto* circle = ZcDbPolyline::cast(e);
    ASSERT_NE(nullptr, circle);
    double width = 0;
    EXPECT_EQ(Zcad::eOk, circle->getConstantWidth(width));
    EXPECT_DOUBLE_EQ(0.5, width);
    EXPECT_TRUE(circle->isClosed());
    ZcDbExtents box;
    circle->getGeomExtents(box);
    EXPECT_NEAR(1.0, box.maxPoint().x - box.minPoint().x, 1e-6);  // diameter 1
    e->close();
    delete it;
    dot->close();

    // A second request reuses the block.
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(l, id, ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, l->setDimldrblk(L"_DOT"));
    EXPECT_EQ(dotId, l->dimldrblk());
    l->close();
}

TEST_F(DbLeaderTest, AnnotationAndDefaultsFromTheDatabase) {
    auto* text = new ZcDbMText;
    text->setLocation({20, 20, 0});
    text->setContents(L"You are here");
    ZcDbObjectId textId = append(text);
    auto* leader = new ZcDbLeader;
    leader->appendVertex({0, 0, 0});
    leader->appendVertex({18, 20, 0});
    EXPECT_DOUBLE_EQ(2.5, leader->dimasz());  // DIMASZ of the working drawing
    EXPECT_EQ(Zcad::eInvalidInput, leader->attachAnnotation(ZcDbObjectId::kNull));
    ZcDbObjectId id = append(leader);
    ZcDbLeader* l = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(l, id, ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, l->attachAnnotation(textId));
    EXPECT_EQ(textId, l->annotationObjId());
    EXPECT_TRUE(l->annotationOffset().isEqualTo({2, 0, 0}));
    l->close();
}

TEST(DbPreviewTest, BlocksWithGeometryGetAnIconOnDemand) {
    ZcDbDatabase db;
    ZcDbObjectId block = StrictDatabaseTest::addBlock(&db, L"B");
    ZcDbObjectId empty = StrictDatabaseTest::addBlock(&db, L"Empty");
    StrictDatabaseTest::append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 5), &db, block);

    ZcDbBlockTableRecord* r = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(r, block, ZcDb::kForRead));
    EXPECT_TRUE(r->hasPreviewIcon());
    ZcDbBlockTableRecord::PreviewIcon icon;
    ASSERT_EQ(Zcad::eOk, r->getPreviewIcon(icon));
    ASSERT_GE(icon.length(), 40 + 1024 + 32 * 32);
    EXPECT_EQ(40, icon[0]);  // header size
    EXPECT_EQ(32, icon[4]);  // width
    r->close();

    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(r, empty, ZcDb::kForRead));
    EXPECT_FALSE(r->hasPreviewIcon());
    EXPECT_EQ(Zcad::eNotApplicable, r->getPreviewIcon(icon));
    EXPECT_TRUE(icon.isEmpty());
    r->close();
    EXPECT_EQ(0, db.countOpenObjects());
}

TEST(DbCodecTest, ReadingWithoutACodecFailsAndACodecFillsTheDatabase) {
    host::db::DrawingCodec saved = host::db::drawingCodec();
    host::db::setDrawingCodec({});
    ZcDbDatabase db(false, true);
    EXPECT_EQ(Zcad::eNotImplementedYet, db.readDwgFile(L"C:\\x.dwg", ZcDbDatabase::kForReadAndReadShare));
    EXPECT_EQ(Zcad::eNotImplementedYet, db.saveAs(L"C:\\x.dwg"));

    host::db::DrawingCodec codec;
    codec.read = [](ZcDbDatabase& target, const std::wstring& path) {
        if (path == L"bad")
            return Zcad::eBadDxfFile;
        ZcDbDatabase fresh(true, false);  // fill through the codec interface
        ZcDbObjectId id;
        auto* table = new ZcDbLayerTable;
        EXPECT_EQ(Zcad::eOk, host::db::addObjectWithHandle(&target, table, 0x2, ZcDbObjectId::kNull, id));
        EXPECT_EQ(Zcad::eOk, host::db::setTableId(&target, host::db::Table::Layer, id));
        auto* layer = new ZcDbLayerTableRecord;
        layer->setName(L"0");
        ZcDbObjectId layerId;
        EXPECT_EQ(Zcad::eOk, host::db::addObjectWithHandle(&target, layer, 0x10, id, layerId));
        EXPECT_EQ(Zcad::eOk, host::db::linkRecord(id, layerId));
        host::db::unmodelledGroups(layer).push_back({1071, L"42"});
        return Zcad::eOk;
    };
    host::db::setDrawingCodec(codec);
    EXPECT_EQ(Zcad::eBadDxfFile, db.readDwgFile(L"bad", 1));
    EXPECT_EQ(0, db.approxNumObjects());
    ASSERT_EQ(Zcad::eOk, db.readDwgFile(L"good", 1));
    EXPECT_STREQ(L"good", db.originalFileName());
    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(Zcad::eOk, db.getSymbolTable(layers, ZcDb::kForRead));
    ZcDbObjectId zero;
    EXPECT_EQ(Zcad::eOk, layers->getAt(L"0", zero));
    EXPECT_EQ(ZcDbHandle(0x10), zero.handle());
    layers->close();
    EXPECT_EQ(0x11u, host::db::handseed(&db).value());
    EXPECT_EQ(1u, host::db::unmodelledGroups(host::db::peekObject(zero)).size());
    host::db::setDrawingCodec(saved);
}

}  // namespace
