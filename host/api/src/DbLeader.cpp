// Leaders: vertices, the arrowhead block and size, the dimension-scale override and the
// annotation; the standard arrow blocks the host makes on request.
#include <algorithm>
#include <cmath>

#include "DbInternal.h"

using host::db::DatabaseImpl;
using host::db::Table;

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

namespace host::db {
namespace {

/// Adds a closed lightweight polyline of the points (bulges, constant width).
void addOutline(ZcDbBlockTableRecord* block, DatabaseImpl* db, std::initializer_list<ZcGePoint2d> points,
                double bulge, double width, bool closed) {
    auto* pline = new ZcDbPolyline;
    unsigned i = 0;
    for (const ZcGePoint2d& p : points)
        pline->addVertexAt(i++, p, bulge, width, width);
    pline->setClosed(closed);
    ZcCmColor byBlock;
    byBlock.setColorIndex(0);
    pline->setColor(byBlock);
    ZcDbObjectId id = db->add(pline, block->objectId(), false);
    TableAccess::entities(block).push_back(id);
    ObjectAccess::setEntityLayer(pline, db->recordByName(Table::Layer, L"0"));
    ZcDbObjectId byBlockLt = db->recordByName(Table::Linetype, L"ByBlock");
    if (!byBlockLt.isNull())
        ObjectAccess::setEntityLinetype(pline, byBlockLt);
}

/// Draws a standard arrow of unit size, tip at the origin, pointing along +X from -X.
bool drawArrow(const std::wstring& kind, ZcDbBlockTableRecord* block, DatabaseImpl* db) {
    if (sameName(kind, L"Dot"))
        addOutline(block, db, {{-0.25, 0.0}, {0.25, 0.0}}, 1.0, 0.5, true);
    else if (sameName(kind, L"DotSmall"))
        addOutline(block, db, {{-0.0625, 0.0}, {0.0625, 0.0}}, 1.0, 0.125, true);
    else if (sameName(kind, L"DotBlank"))
        addOutline(block, db, {{-0.5, 0.0}, {0.5, 0.0}}, 1.0, 0.0, true);
    else if (sameName(kind, L"Small"))
        addOutline(block, db, {{-0.0625, 0.0}, {0.0625, 0.0}}, 1.0, 0.0, true);
    else if (sameName(kind, L"Closed") || sameName(kind, L"ClosedBlank"))
        addOutline(block, db, {{0.0, 0.0}, {-1.0, 1.0 / 6.0}, {-1.0, -1.0 / 6.0}}, 0.0, 0.0, true);
    else if (sameName(kind, L"Open"))
        addOutline(block, db, {{-1.0, 1.0 / 6.0}, {0.0, 0.0}, {-1.0, -1.0 / 6.0}}, 0.0, 0.0, false);
    else if (sameName(kind, L"Oblique"))
        addOutline(block, db, {{-0.5, -0.5}, {0.5, 0.5}}, 0.0, 0.0, false);
    else if (sameName(kind, L"ArchTick"))
        addOutline(block, db, {{-0.5, -0.5}, {0.5, 0.5}}, 0.0, 0.15, false);
    else if (sameName(kind, L"None"))
        ;  // an empty block
    else
        return false;
    return true;
}

}  // namespace

ZcDbObjectId ensureArrowBlock(DatabaseImpl* db, const std::wstring& name) {
    if (!db || name.empty())
        return ZcDbObjectId::kNull;
    ZcDbObjectId id = db->recordByName(Table::Block, name);
    if (!id.isNull())
        return id;
    std::wstring kind = name[0] == L'_' ? name.substr(1) : name;
    static const wchar_t* kKinds[] = {L"Dot",  L"DotSmall", L"DotBlank", L"Small",    L"Closed",
                                      L"ClosedBlank", L"Open", L"Oblique", L"ArchTick", L"None"};
    const wchar_t* canonical = nullptr;
    for (const wchar_t* k : kKinds)
        if (sameName(kind, k))
            canonical = k;
    if (!canonical)
        return ZcDbObjectId::kNull;
    std::wstring blockName = std::wstring(L"_") + canonical;
    id = db->recordByName(Table::Block, blockName);
    if (!id.isNull())
        return id;
    auto* block = new ZcDbBlockTableRecord;
    id = db->addRecord(Table::Block, block, blockName);
    if (id.isNull()) {
        delete block;
        return id;
    }
    drawArrow(canonical, block, db);
    return id;
}

}  // namespace host::db

ZCRX_DEFINE_MEMBERS(ZcDbLeader, ZcDbCurve);

bool ZcDbLeader::appendVertex(const ZcGePoint3d& p) {
    if (checkWrite() != Zcad::eOk || !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
        return false;
    vertices_.push_back(p);
    return true;
}

void ZcDbLeader::removeLastVertex() {
    if (checkWrite() == Zcad::eOk && !vertices_.empty())
        vertices_.pop_back();
}

ZcGePoint3d ZcDbLeader::vertexAt(int index) const {
    return index >= 0 && index < numVertices() ? vertices_[static_cast<size_t>(index)] : ZcGePoint3d::kOrigin;
}

bool ZcDbLeader::setVertexAt(int index, const ZcGePoint3d& p) {
    if (checkWrite() != Zcad::eOk || index < 0 || index >= numVertices())
        return false;
    vertices_[static_cast<size_t>(index)] = p;
    return true;
}

ZcGePoint3d ZcDbLeader::firstVertex() const { return vertices_.empty() ? ZcGePoint3d::kOrigin : vertices_.front(); }
ZcGePoint3d ZcDbLeader::lastVertex() const { return vertices_.empty() ? ZcGePoint3d::kOrigin : vertices_.back(); }

Zcad::ErrorStatus ZcDbLeader::setNormal(const ZcGeVector3d& n) {
    WRITE_CHECK
    if (n.isZeroLength())
        return Zcad::eInvalidInput;
    normal_ = n.normal();
    return Zcad::eOk;
}

void ZcDbLeader::enableArrowHead() { if (checkWrite() == Zcad::eOk) arrow_ = true; }
void ZcDbLeader::disableArrowHead() { if (checkWrite() == Zcad::eOk) arrow_ = false; }
void ZcDbLeader::setToSplineLeader() { if (checkWrite() == Zcad::eOk) splined_ = true; }
void ZcDbLeader::setToStraightLeader() { if (checkWrite() == Zcad::eOk) splined_ = false; }

Zcad::ErrorStatus ZcDbLeader::setDimldrblk(const ZTCHAR* name) {
    WRITE_CHECK
    std::wstring n = host::db::safeText(name);
    if (n.empty()) {
        arrowBlock_.setNull();
        return Zcad::eOk;
    }
    DatabaseImpl* db = host::db::lookupImpl(this);
    if (!db)
        return Zcad::eNoDatabase;
    ZcDbObjectId id = host::db::ensureArrowBlock(db, n);
    if (id.isNull())
        return Zcad::eKeyNotFound;
    arrowBlock_ = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::setDimldrblk(ZcDbObjectId block) {
    WRITE_CHECK
    if (!block.isNull() && !host::db::peek<ZcDbBlockTableRecord>(block))
        return Zcad::eWrongObjectType;
    arrowBlock_ = block;
    return Zcad::eOk;
}

double ZcDbLeader::dimasz() const {
    if (hasDimasz_)
        return dimasz_;
    ZcDbDatabase* db = lookupDatabase();
    return db ? db->dimasz() : 2.5;
}

Zcad::ErrorStatus ZcDbLeader::setDimasz(double size) {
    WRITE_CHECK
    if (!(size >= 0.0) || !std::isfinite(size))
        return Zcad::eInvalidInput;
    dimasz_ = size;
    hasDimasz_ = true;
    return Zcad::eOk;
}

double ZcDbLeader::dimscale() const {
    if (hasDimscale_)
        return dimscale_;
    ZcDbDatabase* db = lookupDatabase();
    return db ? db->dimscale() : 1.0;
}

Zcad::ErrorStatus ZcDbLeader::setDimscale(double scale) {
    WRITE_CHECK
    if (!(scale >= 0.0) || !std::isfinite(scale))
        return Zcad::eInvalidInput;
    dimscale_ = scale;
    hasDimscale_ = true;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::setDimensionStyle(ZcDbObjectId style) {
    WRITE_CHECK
    dimStyle_ = style;
    return Zcad::eOk;
}

/// The point of an annotation the leader leads to.
static bool annotationPoint(ZcDbObjectId id, ZcGePoint3d& point) {
    ZcDbObject* object = host::db::findObject(id);
    if (auto* text = ZcDbMText::cast(object)) {
        point = text->location();
        return true;
    }
    if (auto* ref = ZcDbBlockReference::cast(object)) {
        point = ref->position();
        return true;
    }
    return false;
}

Zcad::ErrorStatus ZcDbLeader::attachAnnotation(ZcDbObjectId annotation) {
    WRITE_CHECK
    ZcGePoint3d at;
    if (annotation.isNull() || !annotationPoint(annotation, at))
        return Zcad::eInvalidInput;
    if (database() && annotation.database() != database())
        return Zcad::eWrongDatabase;
    annotation_ = annotation;
    offset_ = at - lastVertex();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::detachAnnotation() {
    WRITE_CHECK
    annotation_.setNull();
    offset_ = ZcGeVector3d();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::setAnnotationOffset(const ZcGeVector3d& offset) {
    WRITE_CHECK
    offset_ = offset;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::evaluateLeader() {
    WRITE_CHECK
    ZcGePoint3d at;
    if (!annotation_.isNull() && annotationPoint(annotation_, at))
        offset_ = at - lastVertex();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getEndParam(double& param) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    param = static_cast<double>(vertices_.size() - 1);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getStartPoint(ZcGePoint3d& p) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    p = vertices_.front();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getEndPoint(ZcGePoint3d& p) const {
    if (vertices_.empty())
        return Zcad::eNotApplicable;
    p = vertices_.back();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getPointAtParam(double param, ZcGePoint3d& point) const {
    double n = static_cast<double>(vertices_.size()) - 1.0;
    if (vertices_.empty() || param < -1e-9 || param > n + 1e-9)
        return Zcad::eInvalidInput;
    if (vertices_.size() == 1) {
        point = vertices_.front();
        return Zcad::eOk;
    }
    double p = std::clamp(param, 0.0, n);
    size_t s = std::min(static_cast<size_t>(p), vertices_.size() - 2);
    point = vertices_[s] + (vertices_[s + 1] - vertices_[s]) * (p - static_cast<double>(s));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getParamAtPoint(const ZcGePoint3d& point, double& param) const {
    for (size_t s = 0; s + 1 < vertices_.size(); ++s) {
        ZcGeVector3d d = vertices_[s + 1] - vertices_[s];
        double len2 = d.lengthSqrd();
        double t = len2 > 0.0 ? (point - vertices_[s]).dotProduct(d) / len2 : 0.0;
        if (t < -1e-9 || t > 1.0 + 1e-9)
            continue;
        if ((vertices_[s] + d * t).distanceTo(point) <= 1e-6) {
            param = static_cast<double>(s) + std::clamp(t, 0.0, 1.0);
            return Zcad::eOk;
        }
    }
    if (vertices_.size() == 1 && vertices_[0].distanceTo(point) <= 1e-6) {
        param = 0.0;
        return Zcad::eOk;
    }
    return Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbLeader::getDistAtParam(double param, double& dist) const {
    double n = static_cast<double>(vertices_.size()) - 1.0;
    if (vertices_.empty() || param < -1e-9 || param > n + 1e-9)
        return Zcad::eInvalidInput;
    dist = 0.0;
    double p = std::clamp(param, 0.0, n);
    for (size_t s = 0; s + 1 < vertices_.size() && static_cast<double>(s) < p; ++s) {
        double part = std::min(1.0, p - static_cast<double>(s));
        dist += vertices_[s].distanceTo(vertices_[s + 1]) * part;
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::getParamAtDist(double dist, double& param) const {
    if (vertices_.empty() || dist < -1e-9)
        return Zcad::eInvalidInput;
    double left = std::max(0.0, dist);
    for (size_t s = 0; s + 1 < vertices_.size(); ++s) {
        double len = vertices_[s].distanceTo(vertices_[s + 1]);
        if (left <= len + 1e-9) {
            param = static_cast<double>(s) + (len > 0.0 ? std::min(1.0, left / len) : 0.0);
            return Zcad::eOk;
        }
        left -= len;
    }
    if (left <= 1e-9) {
        param = static_cast<double>(vertices_.size() - 1);
        return Zcad::eOk;
    }
    return Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbLeader::getFirstDeriv(double param, ZcGeVector3d& deriv) const {
    if (vertices_.size() < 2 || param < -1e-9 || param > static_cast<double>(vertices_.size() - 1) + 1e-9)
        return Zcad::eInvalidInput;
    size_t s = std::min(static_cast<size_t>(std::max(0.0, param)), vertices_.size() - 2);
    deriv = vertices_[s + 1] - vertices_[s];
    return Zcad::eOk;
}

void ZcDbLeader::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbEntity::forEachReference(fn);
    fn(arrowBlock_);
    fn(dimStyle_);
    fn(annotation_);
}

Zcad::ErrorStatus ZcDbLeader::subTransformBy(const ZcGeMatrix3d& m) {
    for (ZcGePoint3d& p : vertices_)
        p.transformBy(m);
    normal_.transformBy(m);
    normal_ = normal_.isZeroLength() ? ZcGeVector3d::kZAxis : normal_.normal();
    offset_.transformBy(m);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::subGetGeomExtents(ZcDbExtents& e) const {
    if (vertices_.empty())
        return Zcad::eInvalidExtents;
    for (const ZcGePoint3d& p : vertices_)
        e.addPoint(p);
    if (arrow_) {
        double size = dimasz() * (dimscale() > 0.0 ? dimscale() : 1.0);
        e.addPoint(vertices_.front() - ZcGeVector3d(size / 2, size / 2, 0));
        e.addPoint(vertices_.front() + ZcGeVector3d(size / 2, size / 2, 0));
    }
    return Zcad::eOk;
}
