// Entities: common properties, database defaults, transformation and extents; the extents
// box and the id-list iterator.
#include <algorithm>
#include <cmath>

#include "DbInternal.h"

using host::db::DatabaseImpl;
using host::db::Table;

// ---------------------------------------------------------------------------------------
// Extents.

ZcDbExtents::ZcDbExtents() = default;

ZcDbExtents::ZcDbExtents(const ZcGePoint3d& minPoint, const ZcGePoint3d& maxPoint) { set(minPoint, maxPoint); }

Zcad::ErrorStatus ZcDbExtents::set(const ZcGePoint3d& minPoint, const ZcGePoint3d& maxPoint) {
    if (minPoint.x > maxPoint.x || minPoint.y > maxPoint.y || minPoint.z > maxPoint.z)
        return Zcad::eInvalidExtents;
    min_ = minPoint;
    max_ = maxPoint;
    valid_ = true;
    return Zcad::eOk;
}

void ZcDbExtents::addPoint(const ZcGePoint3d& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
        return;
    if (!valid_) {
        min_ = max_ = p;
        valid_ = true;
        return;
    }
    min_.set(std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z));
    max_.set(std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z));
}

void ZcDbExtents::addExt(const ZcDbExtents& other) {
    if (other.valid_) {
        addPoint(other.min_);
        addPoint(other.max_);
    }
}

void ZcDbExtents::expandBy(const ZcGeVector3d& v) {
    if (!valid_)
        return;
    addPoint(min_ + v);
    addPoint(max_ + v);
}

void ZcDbExtents::transformBy(const ZcGeMatrix3d& m) {
    if (!valid_)
        return;
    ZcGePoint3d a = min_, b = max_;
    valid_ = false;
    for (int i = 0; i < 8; ++i)
        addPoint(m * ZcGePoint3d(i & 1 ? b.x : a.x, i & 2 ? b.y : a.y, i & 4 ? b.z : a.z));
}

// ---------------------------------------------------------------------------------------
// Id-list iterator.

ZcDbObjectIterator::ZcDbObjectIterator(ZcDbObjectIdArray ids) : ids_(std::move(ids)) {}

void ZcDbObjectIterator::start(bool atEnd) { pos_ = atEnd ? ids_.length() - 1 : 0; }
bool ZcDbObjectIterator::done() const { return pos_ < 0 || pos_ >= ids_.length(); }

void ZcDbObjectIterator::step(bool backwards, bool skipDeleted) {
    do {
        pos_ += backwards ? -1 : 1;
    } while (skipDeleted && !done() && ids_[pos_].isErased());
}

ZcDbObjectId ZcDbObjectIterator::objectId() const { return done() ? ZcDbObjectId::kNull : ids_[pos_]; }
ZcDbEntity* ZcDbObjectIterator::entity() const { return host::db::peek<ZcDbEntity>(objectId()); }

void ZcDbObjectIterator::setPosition(ZcDbObjectId id) {
    int i = ids_.find(id);
    if (i >= 0)
        pos_ = i;
}

// ---------------------------------------------------------------------------------------
// Entities.

ZCRX_DEFINE_MEMBERS(ZcDbEntity, ZcDbObject);

ZcDbEntity::ZcDbEntity() = default;

void ZcDbEntity::copyEntityProperties(const ZcDbEntity& from) {
    color_ = from.color_;
    layerId_ = from.layerId_;
    linetypeId_ = from.linetypeId_;
    linetypeScale_ = from.linetypeScale_;
    lineWeight_ = from.lineWeight_;
    visibility_ = from.visibility_;
}

void ZcDbEntity::subSetPropertiesOfSubents(const ZcDbEntity&) {}

Zcad::ErrorStatus ZcDbEntity::setPropertiesFrom(const ZcDbEntity* from, bool doSubents) {
    if (!from)
        return Zcad::eNullEntityPointer;
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    copyEntityProperties(*from);
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}
void ZcDbEntity::subSetDatabaseDefaults(ZcDbDatabase*) {}

Zcad::ErrorStatus ZcDbEntity::setColor(const ZcCmColor& color, bool doSubents) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    color_ = color;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setColorIndex(Zdesk::UInt16 index, bool doSubents) {
    ZcCmColor c;
    if (c.setColorIndex(index) != Zcad::eOk)
        return Zcad::eInvalidInput;
    return setColor(c, doSubents);
}

static std::wstring recordName(ZcDbObjectId id) {
    auto* record = host::db::peek<ZcDbSymbolTableRecord>(id);
    return record ? record->getNameConst() : std::wstring();
}

ZTCHAR* ZcDbEntity::layer() const {
    if (layerId_.isNull())
        return nullptr;
    return host::db::newText(recordName(layerId_));
}

ZTCHAR* ZcDbEntity::linetype() const {
    if (linetypeId_.isNull())
        return nullptr;
    return host::db::newText(recordName(linetypeId_));
}

Zcad::ErrorStatus ZcDbEntity::setLayer(const ZTCHAR* name, bool doSubents, bool allowHiddenLayer) {
    DatabaseImpl* db = host::db::lookupImpl(this);
    if (!db)
        return Zcad::eNoDatabase;
    if (!name || !*name)
        return Zcad::eInvalidInput;
    ZcDbObjectId id = db->recordByName(Table::Layer, name);
    if (id.isNull())
        return Zcad::eKeyNotFound;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Zcad::ErrorStatus ZcDbEntity::setLayer(ZcDbObjectId id, bool doSubents, bool allowHiddenLayer) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    auto* layer = host::db::peek<ZcDbLayerTableRecord>(id);
    if (!layer)
        return id.isNull() ? Zcad::eNullObjectId : Zcad::eWrongObjectType;
    if (layer->isErased())
        return Zcad::eWasErased;
    if (database() && id.database() != database())
        return Zcad::eWrongDatabase;
    if (layer->isHidden() && !allowHiddenLayer)
        return Zcad::eInvalidInput;
    layerId_ = id;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLinetype(const ZTCHAR* name, bool doSubents) {
    DatabaseImpl* db = host::db::lookupImpl(this);
    if (!db)
        return Zcad::eNoDatabase;
    if (!name || !*name)
        return Zcad::eInvalidInput;
    ZcDbObjectId id = db->recordByName(Table::Linetype, name);
    if (id.isNull())
        return Zcad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Zcad::ErrorStatus ZcDbEntity::setLinetype(ZcDbObjectId id, bool doSubents) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    auto* lt = host::db::peek<ZcDbLinetypeTableRecord>(id);
    if (!lt)
        return id.isNull() ? Zcad::eNullObjectId : Zcad::eWrongObjectType;
    if (lt->isErased())
        return Zcad::eWasErased;
    if (database() && id.database() != database())
        return Zcad::eWrongDatabase;
    linetypeId_ = id;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLinetypeScale(double scale, bool doSubents) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return Zcad::eInvalidInput;
    linetypeScale_ = scale;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

static bool validLineWeight(int w) {
    static const int kWeights[] = {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70,
                                   80, 90, 100, 106, 120, 140, 158, 200, 211, -1, -2, -3};
    return std::find(std::begin(kWeights), std::end(kWeights), w) != std::end(kWeights);
}

Zcad::ErrorStatus ZcDbEntity::setLineWeight(ZcDb::LineWeight weight, bool doSubents) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!validLineWeight(weight))
        return Zcad::eInvalidInput;
    lineWeight_ = weight;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setVisibility(ZcDb::Visibility visibility, bool doSubents) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (visibility != ZcDb::kVisible && visibility != ZcDb::kInvisible)
        return Zcad::eInvalidInput;
    visibility_ = visibility;
    if (doSubents)
        subSetPropertiesOfSubents(*this);
    return Zcad::eOk;
}

void ZcDbEntity::setDatabaseDefaults(ZcDbDatabase* db) {
    if (!db)
        db = lookupDatabase();
    if (!db || checkWrite() != Zcad::eOk)
        return;
    layerId_ = db->clayer();
    linetypeId_ = db->celtype();
    color_ = db->cecolor();
    linetypeScale_ = db->celtscale();
    lineWeight_ = db->celweight();
    subSetDatabaseDefaults(db);
}

void ZcDbEntity::subAddedToDatabase(ZcDbDatabase* db) {
    // What the creator left unset comes from the database.
    if (layerId_.isNull() || layerId_.databaseSerial() != db->serial())
        layerId_ = db->clayer();
    if (linetypeId_.isNull() || linetypeId_.databaseSerial() != db->serial())
        linetypeId_ = db->byLayerLinetype();
}

Zcad::ErrorStatus ZcDbEntity::transformBy(const ZcGeMatrix3d& matrix) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (matrix.isSingular(ZcGeTol()))
        return Zcad::eInvalidInput;
    return subTransformBy(matrix);
}

Zcad::ErrorStatus ZcDbEntity::getTransformedCopy(const ZcGeMatrix3d& matrix, ZcDbEntity*& copy) const {
    copy = nullptr;
    auto* c = ZcDbEntity::cast(clone());
    if (!c)
        return Zcad::eNotApplicable;
    Zcad::ErrorStatus es = c->subTransformBy(matrix);
    if (es != Zcad::eOk) {
        delete c;
        return es;
    }
    copy = c;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::getGeomExtents(ZcDbExtents& extents) const {
    extents = ZcDbExtents();
    Zcad::ErrorStatus es = subGetGeomExtents(extents);
    if (es == Zcad::eOk && !extents.isValid())
        return Zcad::eInvalidExtents;
    return es;
}

Zcad::ErrorStatus ZcDbEntity::explode(ZcDbVoidPtrArray& entities) const { return subExplode(entities); }

Zcad::ErrorStatus ZcDbEntity::subTransformBy(const ZcGeMatrix3d&) { return Zcad::eNotApplicable; }
Zcad::ErrorStatus ZcDbEntity::subGetGeomExtents(ZcDbExtents&) const { return Zcad::eInvalidExtents; }
Zcad::ErrorStatus ZcDbEntity::subExplode(ZcDbVoidPtrArray&) const { return Zcad::eCannotExplodeEntity; }

void ZcDbEntity::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    fn(layerId_);
    fn(linetypeId_);
}
