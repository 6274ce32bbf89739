// Table entities: a grid of cells holding texts, values or blocks, with a title and header
// row, column widths and row heights.
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "zcdbents.h"

/// A typed cell value.
class ZCAD_PORT ZcValue {
public:
    enum DataType { kUnknown = 0, kLong = 1, kDouble = 2, kString = 4, kDate = 8, kPoint = 16 };

    ZcValue() = default;
    explicit ZcValue(Zdesk::Int32 value) { set(value); }
    explicit ZcValue(double value) { set(value); }
    explicit ZcValue(const ZTCHAR* value) { set(value); }

    bool set(Zdesk::Int32 value) { value_ = value; return true; }
    bool set(double value) { value_ = value; return true; }
    bool set(const ZTCHAR* value) { value_ = std::wstring(value ? value : L""); return true; }
    DataType dataType() const;
    bool isValid() const { return value_.index() != 0; }
    bool get(Zdesk::Int32& value) const;
    bool get(double& value) const;
    bool get(const ZTCHAR*& value) const;
    /// The value as the table shows it ("12", "2.5", the text).
    std::wstring format() const;
    bool operator==(const ZcValue& o) const { return value_ == o.value_; }

private:
    std::variant<std::monostate, Zdesk::Int32, double, std::wstring> value_;
};

/// A table. Rows and columns are numbered from 0. Cells hold a text (or a value shown as
/// text) or a block; merged ranges are kept as rectangles whose top-left cell carries the
/// content. Index arguments out of range give eInvalidIndex; sizes not positive give
/// eInvalidInput.
class ZCAD_PORT ZcDbTable : public ZcDbBlockReference {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTable);
    ZcDbTable();

    Zdesk::UInt32 numRows() const { return static_cast<Zdesk::UInt32>(rowHeights_.size()); }
    Zdesk::UInt32 numColumns() const { return static_cast<Zdesk::UInt32>(columnWidths_.size()); }
    /// A new table has no rows and no columns; setSize makes rows x columns cells.
    Zcad::ErrorStatus setSize(Zdesk::UInt32 rows, Zdesk::UInt32 columns);
    Zcad::ErrorStatus setNumRows(Zdesk::UInt32 rows);
    Zcad::ErrorStatus setNumColumns(Zdesk::UInt32 columns);

    double columnWidth(Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setColumnWidth(Zdesk::UInt32 col, double width);
    Zcad::ErrorStatus setColumnWidth(double width);
    double rowHeight(Zdesk::UInt32 row) const;
    Zcad::ErrorStatus setRowHeight(Zdesk::UInt32 row, double height);
    Zcad::ErrorStatus setRowHeight(double height);
    /// Sum of column widths / row heights.
    double width() const;
    double height() const;

    /// Inserts count rows of the height before row (row = numRows appends).
    Zcad::ErrorStatus insertRows(Zdesk::UInt32 row, double height, Zdesk::UInt32 count = 1);
    Zcad::ErrorStatus deleteRows(Zdesk::UInt32 row, Zdesk::UInt32 count = 1);
    Zcad::ErrorStatus insertColumns(Zdesk::UInt32 col, double width, Zdesk::UInt32 count = 1);
    Zcad::ErrorStatus deleteColumns(Zdesk::UInt32 col, Zdesk::UInt32 count = 1);

    /// Merges the rectangle; eInvalidInput when it overlaps another merged range.
    Zcad::ErrorStatus mergeCells(Zdesk::UInt32 minRow, Zdesk::UInt32 maxRow, Zdesk::UInt32 minCol,
                                 Zdesk::UInt32 maxCol);
    Zcad::ErrorStatus unmergeCells(Zdesk::UInt32 minRow, Zdesk::UInt32 maxRow, Zdesk::UInt32 minCol,
                                   Zdesk::UInt32 maxCol);
    /// The cell is part of a merged range (its bounds given back through the non-null
    /// pointers).
    bool isMergedCell(Zdesk::UInt32 row, Zdesk::UInt32 col, Zdesk::UInt32* minRow = nullptr,
                      Zdesk::UInt32* maxRow = nullptr, Zdesk::UInt32* minCol = nullptr,
                      Zdesk::UInt32* maxCol = nullptr) const;

    ZcDb::CellType cellType(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setCellType(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDb::CellType type);
    /// A copy of the cell's text (free it with zcutDelBuffer); null for a bad index.
    ZTCHAR* textString(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    const ZTCHAR* textStringConst(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setTextString(Zdesk::UInt32 row, Zdesk::UInt32 col, const ZTCHAR* text);
    ZcValue value(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    /// Stores the value; the cell's text becomes its formatted form.
    Zcad::ErrorStatus setValue(Zdesk::UInt32 row, Zdesk::UInt32 col, const ZcValue& value);
    /// The cell's text style (the table's when the cell has none).
    ZcDbObjectId textStyle(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setTextStyle(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId style);
    /// The cell's text height (the table's when the cell has none).
    double textHeight(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setTextHeight(Zdesk::UInt32 row, Zdesk::UInt32 col, double height);
    ZcDb::CellAlignment alignment(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    Zcad::ErrorStatus setAlignment(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDb::CellAlignment align);

    /// Makes the cell a block cell showing the block; autoFit scales it into the cell.
    Zcad::ErrorStatus setBlockTableRecordId(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId block,
                                            bool autoFit = false);
    ZcDbObjectId blockTableRecordId(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    bool isAutoScale(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    /// The value shown for an attribute definition of the cell's block; eNotApplicable for
    /// a cell without a block, eKeyNotFound when the definition is not in that block.
    Zcad::ErrorStatus setBlockAttributeValue(Zdesk::UInt32 row, Zdesk::UInt32 col,
                                             ZcDbObjectId attributeDefinition, const ZTCHAR* text);
    Zcad::ErrorStatus getBlockAttributeValue(Zdesk::UInt32 row, Zdesk::UInt32 col,
                                             ZcDbObjectId attributeDefinition, ZTCHAR*& text) const;

    // Table-wide properties.
    ZcDbObjectId tableStyle() const { return tableStyle_; }
    Zcad::ErrorStatus setTableStyle(ZcDbObjectId style);
    ZcDbObjectId textStyle() const { return textStyle_; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    double defaultTextHeight() const { return textHeight_; }
    Zcad::ErrorStatus setDefaultTextHeight(double height);
    bool isBreakEnabled() const { return breakEnabled_; }
    Zcad::ErrorStatus enableBreak(bool enable);
    ZcDb::TableBreakOption breakOption() const { return breakOption_; }
    Zcad::ErrorStatus setBreakOption(ZcDb::TableBreakOption option);
    Zcad::ErrorStatus setBreakOption(int option) { return setBreakOption(static_cast<ZcDb::TableBreakOption>(option)); }
    ZcDb::FlowDirection flowDirection() const { return flow_; }
    Zcad::ErrorStatus setFlowDirection(ZcDb::FlowDirection direction);
    /// The table's X axis.
    ZcGeVector3d direction() const;
    Zcad::ErrorStatus setDirection(const ZcGeVector3d& direction);
    /// Rebuilds the graphical block (nothing to do: the table draws from its cells).
    Zcad::ErrorStatus generateLayout() { return Zcad::eOk; }
    Zcad::ErrorStatus recomputeTableBlock(bool forceUpdate = true);

    ZcDbObject* clone() const override { return new ZcDbTable(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

    // Host side: the cell record, for the codec and the renderer.
    struct Cell {
        ZcDb::CellType type = ZcDb::kTextCell;
        std::wstring text;
        ZcValue value;
        ZcDbObjectId textStyle;
        double textHeight = 0.0;  // 0: the table's
        ZcDb::CellAlignment alignment = ZcDb::kTopLeft;
        ZcDbObjectId block;
        bool autoScale = false;
        std::map<ZcDbObjectId, std::wstring> attributeValues;
    };
    struct MergedRange {
        Zdesk::UInt32 minRow, maxRow, minCol, maxCol;
    };
    const Cell* cellAt(Zdesk::UInt32 row, Zdesk::UInt32 col) const;
    const std::vector<MergedRange>& mergedRanges() const { return merged_; }

protected:
    ZcDbTable(const ZcDbTable&) = default;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& m) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& e) const override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entities) const override;

private:
    Cell* cell(Zdesk::UInt32 row, Zdesk::UInt32 col);
    bool validCell(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
        return row < numRows() && col < numColumns();
    }

    std::vector<double> columnWidths_;
    std::vector<double> rowHeights_;
    std::vector<std::vector<Cell>> cells_;  // [row][col]
    std::vector<MergedRange> merged_;
    ZcDbObjectId tableStyle_;
    ZcDbObjectId textStyle_;
    double textHeight_ = 0.18;
    bool breakEnabled_ = false;
    ZcDb::TableBreakOption breakOption_ = ZcDb::kTableBreakNone;
    ZcDb::FlowDirection flow_ = ZcDb::kTtoB;
    ZcGeVector3d direction_ = ZcGeVector3d::kXAxis;
};
