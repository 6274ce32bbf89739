// Tables: rows, columns, merged ranges and cell contents; the grid as lines, texts and
// block references for extents, explode and drawing.
#include <algorithm>
#include <cmath>
#include <cwchar>

#include "DbInternal.h"

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

// ---------------------------------------------------------------------------------------
// Values.

ZcValue::DataType ZcValue::dataType() const {
    switch (value_.index()) {
    case 1: return kLong;
    case 2: return kDouble;
    case 3: return kString;
    default: return kUnknown;
    }
}

bool ZcValue::get(Zdesk::Int32& v) const {
    if (auto* p = std::get_if<Zdesk::Int32>(&value_)) {
        v = *p;
        return true;
    }
    return false;
}

bool ZcValue::get(double& v) const {
    if (auto* p = std::get_if<double>(&value_)) {
        v = *p;
        return true;
    }
    if (auto* p = std::get_if<Zdesk::Int32>(&value_)) {
        v = *p;
        return true;
    }
    return false;
}

bool ZcValue::get(const ZTCHAR*& v) const {
    if (auto* p = std::get_if<std::wstring>(&value_)) {
        v = p->c_str();
        return true;
    }
    return false;
}

std::wstring ZcValue::format() const {
    switch (value_.index()) {
    case 1: return std::to_wstring(std::get<Zdesk::Int32>(value_));
    case 2: {
        wchar_t buf[64];
        std::swprintf(buf, 64, L"%.6g", std::get<double>(value_));
        return buf;
    }
    case 3: return std::get<std::wstring>(value_);
    default: return {};
    }
}

// ---------------------------------------------------------------------------------------
// Table.

ZCRX_DEFINE_MEMBERS(ZcDbTable, ZcDbBlockReference);

ZcDbTable::ZcDbTable() = default;

const ZcDbTable::Cell* ZcDbTable::cellAt(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    return validCell(row, col) ? &cells_[row][col] : nullptr;
}

ZcDbTable::Cell* ZcDbTable::cell(Zdesk::UInt32 row, Zdesk::UInt32 col) {
    return validCell(row, col) ? &cells_[row][col] : nullptr;
}

Zcad::ErrorStatus ZcDbTable::setSize(Zdesk::UInt32 rows, Zdesk::UInt32 columns) {
    WRITE_CHECK
    if (Zcad::ErrorStatus es = setNumRows(rows); es != Zcad::eOk)
        return es;
    return setNumColumns(columns);
}

Zcad::ErrorStatus ZcDbTable::setNumRows(Zdesk::UInt32 rows) {
    WRITE_CHECK
    if (rows < numRows())
        return deleteRows(rows, numRows() - rows);
    return rows > numRows() ? insertRows(numRows(), 1.0, rows - numRows()) : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setNumColumns(Zdesk::UInt32 columns) {
    WRITE_CHECK
    if (columns < numColumns())
        return deleteColumns(columns, numColumns() - columns);
    return columns > numColumns() ? insertColumns(numColumns(), 1.0, columns - numColumns()) : Zcad::eOk;
}

double ZcDbTable::columnWidth(Zdesk::UInt32 col) const { return col < numColumns() ? columnWidths_[col] : 0.0; }
double ZcDbTable::rowHeight(Zdesk::UInt32 row) const { return row < numRows() ? rowHeights_[row] : 0.0; }

Zcad::ErrorStatus ZcDbTable::setColumnWidth(Zdesk::UInt32 col, double width) {
    WRITE_CHECK
    if (col >= numColumns())
        return Zcad::eInvalidIndex;
    if (!(width > 0.0) || !std::isfinite(width))
        return Zcad::eInvalidInput;
    columnWidths_[col] = width;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setColumnWidth(double width) {
    WRITE_CHECK
    if (!(width > 0.0) || !std::isfinite(width))
        return Zcad::eInvalidInput;
    std::fill(columnWidths_.begin(), columnWidths_.end(), width);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setRowHeight(Zdesk::UInt32 row, double height) {
    WRITE_CHECK
    if (row >= numRows())
        return Zcad::eInvalidIndex;
    if (!(height > 0.0) || !std::isfinite(height))
        return Zcad::eInvalidInput;
    rowHeights_[row] = height;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setRowHeight(double height) {
    WRITE_CHECK
    if (!(height > 0.0) || !std::isfinite(height))
        return Zcad::eInvalidInput;
    std::fill(rowHeights_.begin(), rowHeights_.end(), height);
    return Zcad::eOk;
}

double ZcDbTable::width() const {
    double w = 0.0;
    for (double c : columnWidths_)
        w += c;
    return w;
}

double ZcDbTable::height() const {
    double h = 0.0;
    for (double r : rowHeights_)
        h += r;
    return h;
}

Zcad::ErrorStatus ZcDbTable::insertRows(Zdesk::UInt32 row, double h, Zdesk::UInt32 count) {
    WRITE_CHECK
    if (row > numRows())
        return Zcad::eInvalidIndex;
    if (!(h > 0.0) || count == 0)
        return Zcad::eInvalidInput;
    rowHeights_.insert(rowHeights_.begin() + row, count, h);
    cells_.insert(cells_.begin() + row, count, std::vector<Cell>(numColumns()));
    for (MergedRange& m : merged_) {
        if (m.minRow >= row) {
            m.minRow += count;
            m.maxRow += count;
        } else if (m.maxRow >= row) {
            m.maxRow += count;
        }
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::deleteRows(Zdesk::UInt32 row, Zdesk::UInt32 count) {
    WRITE_CHECK
    if (count == 0 || row >= numRows() || count > numRows() - row)
        return Zcad::eInvalidIndex;
    rowHeights_.erase(rowHeights_.begin() + row, rowHeights_.begin() + row + count);
    cells_.erase(cells_.begin() + row, cells_.begin() + row + count);
    Zdesk::UInt32 last = row + count - 1;
    std::erase_if(merged_, [&](const MergedRange& m) { return m.minRow <= last && m.maxRow >= row; });
    for (MergedRange& m : merged_)
        if (m.minRow > last) {
            m.minRow -= count;
            m.maxRow -= count;
        }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::insertColumns(Zdesk::UInt32 col, double w, Zdesk::UInt32 count) {
    WRITE_CHECK
    if (col > numColumns())
        return Zcad::eInvalidIndex;
    if (!(w > 0.0) || count == 0)
        return Zcad::eInvalidInput;
    columnWidths_.insert(columnWidths_.begin() + col, count, w);
    for (auto& row : cells_)
        row.insert(row.begin() + col, count, Cell());
    for (MergedRange& m : merged_) {
        if (m.minCol >= col) {
            m.minCol += count;
            m.maxCol += count;
        } else if (m.maxCol >= col) {
            m.maxCol += count;
        }
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::deleteColumns(Zdesk::UInt32 col, Zdesk::UInt32 count) {
    WRITE_CHECK
    if (count == 0 || col >= numColumns() || count > numColumns() - col)
        return Zcad::eInvalidIndex;
    columnWidths_.erase(columnWidths_.begin() + col, columnWidths_.begin() + col + count);
    for (auto& row : cells_)
        row.erase(row.begin() + col, row.begin() + col + count);
    Zdesk::UInt32 last = col + count - 1;
    std::erase_if(merged_, [&](const MergedRange& m) { return m.minCol <= last && m.maxCol >= col; });
    for (MergedRange& m : merged_)
        if (m.minCol > last) {
            m.minCol -= count;
            m.maxCol -= count;
        }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::mergeCells(Zdesk::UInt32 minRow, Zdesk::UInt32 maxRow, Zdesk::UInt32 minCol,
                                        Zdesk::UInt32 maxCol) {
    WRITE_CHECK
    if (numRows() == 0 || numColumns() == 0 || minRow >= numRows() || minCol >= numColumns())
        return Zcad::eInvalidIndex;
    // A range reaching past the last row or column is cut at the table's edge.
    maxRow = std::min(maxRow, numRows() - 1);
    maxCol = std::min(maxCol, numColumns() - 1);
    if (maxRow < minRow || maxCol < minCol)
        return Zcad::eInvalidInput;
    for (const MergedRange& m : merged_)
        if (m.minRow <= maxRow && m.maxRow >= minRow && m.minCol <= maxCol && m.maxCol >= minCol)
            return Zcad::eInvalidInput;
    merged_.push_back({minRow, maxRow, minCol, maxCol});
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::unmergeCells(Zdesk::UInt32 minRow, Zdesk::UInt32 maxRow, Zdesk::UInt32 minCol,
                                          Zdesk::UInt32 maxCol) {
    WRITE_CHECK
    size_t before = merged_.size();
    std::erase_if(merged_, [&](const MergedRange& m) {
        return m.minRow >= minRow && m.maxRow <= maxRow && m.minCol >= minCol && m.maxCol <= maxCol;
    });
    return merged_.size() == before ? Zcad::eKeyNotFound : Zcad::eOk;
}

bool ZcDbTable::isMergedCell(Zdesk::UInt32 row, Zdesk::UInt32 col, Zdesk::UInt32* minRow, Zdesk::UInt32* maxRow,
                             Zdesk::UInt32* minCol, Zdesk::UInt32* maxCol) const {
    for (const MergedRange& m : merged_)
        if (row >= m.minRow && row <= m.maxRow && col >= m.minCol && col <= m.maxCol) {
            if (minRow) *minRow = m.minRow;
            if (maxRow) *maxRow = m.maxRow;
            if (minCol) *minCol = m.minCol;
            if (maxCol) *maxCol = m.maxCol;
            return true;
        }
    return false;
}

ZcDb::CellType ZcDbTable::cellType(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? c->type : ZcDb::kUnknownCell;
}

Zcad::ErrorStatus ZcDbTable::setCellType(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDb::CellType type) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    c->type = type;
    return Zcad::eOk;
}

ZTCHAR* ZcDbTable::textString(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? host::db::newText(c->text) : nullptr;
}

const ZTCHAR* ZcDbTable::textStringConst(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? c->text.c_str() : nullptr;
}

Zcad::ErrorStatus ZcDbTable::setTextString(Zdesk::UInt32 row, Zdesk::UInt32 col, const ZTCHAR* text) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    c->type = ZcDb::kTextCell;
    c->text = host::db::safeText(text);
    c->value = ZcValue(c->text.c_str());
    return Zcad::eOk;
}

ZcValue ZcDbTable::value(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? c->value : ZcValue();
}

Zcad::ErrorStatus ZcDbTable::setValue(Zdesk::UInt32 row, Zdesk::UInt32 col, const ZcValue& value) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    c->type = ZcDb::kTextCell;
    c->value = value;
    c->text = value.format();
    return Zcad::eOk;
}

ZcDbObjectId ZcDbTable::textStyle(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c && !c->textStyle.isNull() ? c->textStyle : textStyle_;
}

Zcad::ErrorStatus ZcDbTable::setTextStyle(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId style) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    c->textStyle = style;
    return Zcad::eOk;
}

double ZcDbTable::textHeight(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c && c->textHeight > 0.0 ? c->textHeight : textHeight_;
}

Zcad::ErrorStatus ZcDbTable::setTextHeight(Zdesk::UInt32 row, Zdesk::UInt32 col, double h) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    if (!(h > 0.0))
        return Zcad::eInvalidInput;
    c->textHeight = h;
    return Zcad::eOk;
}

ZcDb::CellAlignment ZcDbTable::alignment(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? c->alignment : ZcDb::kTopLeft;
}

Zcad::ErrorStatus ZcDbTable::setAlignment(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDb::CellAlignment a) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    if (a < ZcDb::kTopLeft || a > ZcDb::kBottomRight)
        return Zcad::eInvalidInput;
    c->alignment = a;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setBlockTableRecordId(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId block,
                                                   bool autoFit) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    if (!host::db::peek<ZcDbBlockTableRecord>(block))
        return block.isNull() ? Zcad::eNullObjectId : Zcad::eWrongObjectType;
    c->type = ZcDb::kBlockCell;
    c->block = block;
    c->autoScale = autoFit;
    c->attributeValues.clear();
    return Zcad::eOk;
}

ZcDbObjectId ZcDbTable::blockTableRecordId(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c ? c->block : ZcDbObjectId::kNull;
}

bool ZcDbTable::isAutoScale(Zdesk::UInt32 row, Zdesk::UInt32 col) const {
    const Cell* c = cellAt(row, col);
    return c && c->autoScale;
}

Zcad::ErrorStatus ZcDbTable::setBlockAttributeValue(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId definition,
                                                    const ZTCHAR* text) {
    WRITE_CHECK
    Cell* c = cell(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    if (c->type != ZcDb::kBlockCell || c->block.isNull())
        return Zcad::eNotApplicable;
    auto* def = host::db::peek<ZcDbAttributeDefinition>(definition);
    if (!def || def->ownerId() != c->block)
        return Zcad::eKeyNotFound;
    c->attributeValues[definition] = host::db::safeText(text);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::getBlockAttributeValue(Zdesk::UInt32 row, Zdesk::UInt32 col, ZcDbObjectId definition,
                                                    ZTCHAR*& text) const {
    text = nullptr;
    const Cell* c = cellAt(row, col);
    if (!c)
        return Zcad::eInvalidIndex;
    auto it = c->attributeValues.find(definition);
    if (it == c->attributeValues.end())
        return Zcad::eKeyNotFound;
    text = host::db::newText(it->second);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::setTableStyle(ZcDbObjectId s) { WRITE_CHECK tableStyle_ = s; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbTable::setTextStyle(ZcDbObjectId s) { WRITE_CHECK textStyle_ = s; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbTable::enableBreak(bool e) { WRITE_CHECK breakEnabled_ = e; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbTable::setBreakOption(ZcDb::TableBreakOption o) { WRITE_CHECK breakOption_ = o; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbTable::setFlowDirection(ZcDb::FlowDirection d) { WRITE_CHECK flow_ = d; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbTable::recomputeTableBlock(bool) { return Zcad::eOk; }

Zcad::ErrorStatus ZcDbTable::setDefaultTextHeight(double h) {
    WRITE_CHECK
    if (!(h > 0.0))
        return Zcad::eInvalidInput;
    textHeight_ = h;
    return Zcad::eOk;
}

ZcGeVector3d ZcDbTable::direction() const { return direction_; }

Zcad::ErrorStatus ZcDbTable::setDirection(const ZcGeVector3d& d) {
    WRITE_CHECK
    if (d.isZeroLength())
        return Zcad::eInvalidInput;
    direction_ = d.normal();
    return Zcad::eOk;
}

void ZcDbTable::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbBlockReference::forEachReference(fn);
    fn(tableStyle_);
    fn(textStyle_);
    for (auto& row : cells_)
        for (Cell& c : row) {
            fn(c.textStyle);
            fn(c.block);
            std::map<ZcDbObjectId, std::wstring> remapped;
            for (const auto& [key, text] : c.attributeValues) {
                ZcDbObjectId id = key;
                fn(id);
                if (!id.isNull())
                    remapped[id] = text;
            }
            c.attributeValues.swap(remapped);
        }
}

Zcad::ErrorStatus ZcDbTable::subTransformBy(const ZcGeMatrix3d& m) {
    ZcGeMatrix3d copy = m;
    if (!copy.isUniScaledOrtho())
        return Zcad::eCannotScaleNonUniformly;
    double s = m.scale();
    ZcGePoint3d p = position();
    p.transformBy(m);
    ZcGeVector3d d = direction_, n = normal();
    d.transformBy(m);
    n.transformBy(m);
    direction_ = d.normal();
    setPosition(p);
    setNormal(n.normal());
    for (double& w : columnWidths_)
        w *= s;
    for (double& h : rowHeights_)
        h *= s;
    textHeight_ *= s;
    for (auto& row : cells_)
        for (Cell& c : row)
            c.textHeight *= s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::subGetGeomExtents(ZcDbExtents& e) const {
    ZcGePoint3d p = position();
    ZcGeVector3d down = -normal().crossProduct(direction_).normal();
    e.addPoint(p);
    e.addPoint(p + direction_ * width());
    e.addPoint(p + down * height());
    e.addPoint(p + direction_ * width() + down * height());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTable::subExplode(ZcDbVoidPtrArray& entities) const {
    // The grid's outline and cell borders, the texts as multiline texts and block cells as
    // references scaled into their cells.
    ZcGePoint3d origin = position();
    ZcGeVector3d right = direction_, down = -normal().crossProduct(direction_).normal();
    std::vector<double> xs{0.0}, ys{0.0};
    for (double w : columnWidths_)
        xs.push_back(xs.back() + w);
    for (double h : rowHeights_)
        ys.push_back(ys.back() + h);
    auto at = [&](double x, double y) { return origin + right * x + down * y; };
    auto addLine = [&](const ZcGePoint3d& a, const ZcGePoint3d& b) {
        auto* line = new ZcDbLine(a, b);
        line->setPropertiesFrom(this);
        entities.append(line);
    };
    if (numRows() == 0 || numColumns() == 0)
        return Zcad::eOk;
    for (Zdesk::UInt32 r = 0; r < numRows(); ++r)
        for (Zdesk::UInt32 c = 0; c < numColumns(); ++c) {
            Zdesk::UInt32 r0 = r, r1 = r, c0 = c, c1 = c;
            if (isMergedCell(r, c, &r0, &r1, &c0, &c1) && (r0 != r || c0 != c))
                continue;  // covered by its range's top-left cell
            double x0 = xs[c0], x1 = xs[c1 + 1], y0 = ys[r0], y1 = ys[r1 + 1];
            addLine(at(x0, y0), at(x1, y0));
            addLine(at(x1, y0), at(x1, y1));
            addLine(at(x1, y1), at(x0, y1));
            addLine(at(x0, y1), at(x0, y0));
            const Cell& cell = cells_[r][c];
            double h = cell.textHeight > 0.0 ? cell.textHeight : textHeight_;
            double margin = std::min(0.5 * h, 0.25 * std::min(x1 - x0, y1 - y0));
            if (cell.type == ZcDb::kBlockCell && !cell.block.isNull()) {
                auto* block = host::db::peek<ZcDbBlockTableRecord>(cell.block);
                if (!block)
                    continue;
                auto* ref = new ZcDbBlockReference(ZcGePoint3d::kOrigin, cell.block);
                ref->setPropertiesFrom(this);
                ref->setNormal(normal());
                ZcDbExtents box;
                if (cell.autoScale && ref->getGeomExtents(box) == Zcad::eOk) {
                    double bw = box.maxPoint().x - box.minPoint().x, bh = box.maxPoint().y - box.minPoint().y;
                    double cw = x1 - x0 - 2 * margin, ch = y1 - y0 - 2 * margin;
                    double s = (bw > 0 && bh > 0) ? std::min(cw / bw, ch / bh) : 1.0;
                    if (!(s > 0.0))
                        s = 1.0;
                    ref->setScaleFactors(ZcGeScale3d(s));
                    ZcGePoint3d centre = at((x0 + x1) / 2, (y0 + y1) / 2);
                    ZcGePoint3d mid((box.minPoint().x + box.maxPoint().x) / 2 - block->origin().x,
                                    (box.minPoint().y + box.maxPoint().y) / 2 - block->origin().y, 0.0);
                    ref->setRotation(std::atan2(right.y, right.x));
                    ZcGeVector3d offset = right * (mid.x * s) - down * (mid.y * s);
                    ref->setPosition(centre - offset);
                } else {
                    ref->setPosition(at((x0 + x1) / 2, (y0 + y1) / 2));
                }
                entities.append(ref);
            } else if (!cell.text.empty()) {
                auto* text = new ZcDbMText;
                text->setPropertiesFrom(this);
                text->setNormal(normal());
                text->setDirection(right);
                text->setTextHeight(h > 0.0 ? h : 1.0);
                text->setContents(cell.text.c_str());
                if (!textStyle(r, c).isNull())
                    text->setTextStyle(textStyle(r, c));
                int a = cell.alignment;
                double fx = (a - 1) % 3 / 2.0, fy = (a - 1) / 3 / 2.0;
                text->setAttachment(a);
                text->setLocation(at(x0 + margin + (x1 - x0 - 2 * margin) * fx, y0 + margin + (y1 - y0 - 2 * margin) * fy));
                entities.append(text);
            }
        }
    return Zcad::eOk;
}
