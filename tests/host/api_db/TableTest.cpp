// Tables: rows and columns, merged ranges, cell texts and values, block cells.
#include "StrictDatabaseTest.h"
#include "zcutads.h"

namespace {

class DbTableTest : public StrictDatabaseTest {};

TEST_F(DbTableTest, RowsColumnsAndMergedTitle) {
    ZcDbTable table;
    ASSERT_EQ(Zcad::eOk, table.insertRows(0, 1.0));
    ASSERT_EQ(Zcad::eOk, table.insertColumns(0, 1.0, 3));
    EXPECT_EQ(1u, table.numRows());
    EXPECT_EQ(3u, table.numColumns());
    EXPECT_EQ(Zcad::eInvalidIndex, table.setColumnWidth(3, 5.0));
    EXPECT_EQ(Zcad::eInvalidInput, table.setColumnWidth(0, -1.0));
    ASSERT_EQ(Zcad::eOk, table.setColumnWidth(2, 5.0));

    // A title row: insert a row at 0 and merge it over all columns.
    ASSERT_EQ(Zcad::eOk, table.insertRows(0, 1.0));
    ASSERT_EQ(Zcad::eOk, table.mergeCells(0, 0, 0, 2));
    EXPECT_TRUE(table.isMergedCell(0, 0));
    EXPECT_TRUE(table.isMergedCell(0, 2));
    EXPECT_FALSE(table.isMergedCell(1, 0));
    EXPECT_EQ(Zcad::eInvalidInput, table.mergeCells(0, 1, 1, 1));  // overlaps the title

    ASSERT_EQ(Zcad::eOk, table.setTextString(1, 2, L"Qty"));
    ZTCHAR* text = table.textString(1, 2);
    EXPECT_STREQ(L"Qty", text);
    zcutDelBuffer(text);
    ASSERT_EQ(Zcad::eOk, table.setValue(1, 0, ZcValue(Zdesk::Int32(12))));
    EXPECT_STREQ(L"12", table.textStringConst(1, 0));
    EXPECT_EQ(nullptr, table.textString(5, 0));

    // Rows inserted above shift the merged range.
    ASSERT_EQ(Zcad::eOk, table.insertRows(0, 2.0));
    EXPECT_FALSE(table.isMergedCell(0, 0));
    EXPECT_TRUE(table.isMergedCell(1, 1));
    EXPECT_DOUBLE_EQ(4.0, table.height());
    EXPECT_DOUBLE_EQ(7.0, table.width());
    ZcDbExtents box;
    table.setPosition({10, 10, 0});
    ASSERT_EQ(Zcad::eOk, table.getGeomExtents(box));
    EXPECT_TRUE(box.minPoint().isEqualTo({10, 6, 0}));
    EXPECT_TRUE(box.maxPoint().isEqualTo({17, 10, 0}));
}

TEST_F(DbTableTest, BlockCellsWithAttributeValues) {
    ZcDbObjectId block = addBlock(db(), L"Sign");
    ZcDbObjectId def = append(new ZcDbAttributeDefinition({0, 0, 0}, L"", L"NAME", L""), db(), block);
    ZcDbObjectId elsewhere = append(new ZcDbAttributeDefinition({0, 0, 0}, L"", L"X", L""));
    append(new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 1), db(), block);

    ZcDbTable table;
    table.setSize(2, 2);
    EXPECT_EQ(Zcad::eNotApplicable, table.setBlockAttributeValue(0, 0, def, L"Exit"));
    ASSERT_EQ(Zcad::eOk, table.setBlockTableRecordId(0, 0, block, true));
    EXPECT_EQ(ZcDb::kBlockCell, table.cellType(0, 0));
    EXPECT_TRUE(table.isAutoScale(0, 0));
    ASSERT_EQ(Zcad::eOk, table.setBlockAttributeValue(0, 0, def, L"Exit"));
    EXPECT_EQ(Zcad::eKeyNotFound, table.setBlockAttributeValue(0, 0, elsewhere, L"No"));
    ZTCHAR* value = nullptr;
    ASSERT_EQ(Zcad::eOk, table.getBlockAttributeValue(0, 0, def, value));
    EXPECT_STREQ(L"Exit", value);
    zcutDelBuffer(value);

    // Exploded, the block cell is a reference scaled into its cell.
    ZcDbVoidPtrArray parts;
    ASSERT_EQ(Zcad::eOk, table.explode(parts));
    int references = 0;
    for (void* p : parts) {
        auto* e = static_cast<ZcDbEntity*>(p);
        if (auto* ref = ZcDbBlockReference::cast(e)) {
            ++references;
            EXPECT_LT(ref->scaleFactors().sx, 1.0);
        }
        delete e;
    }
    EXPECT_EQ(1, references);
}

}  // namespace
