// Block references: placement, the block transform, attributes, extents and explode.
#include <cmath>

#include "DbInternal.h"

using host::db::DatabaseImpl;
using host::db::ObjectAccess;

#define WRITE_CHECK                                          \
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
        return es;

namespace {
/// Nesting depth of the extents walk through block references.
thread_local int gDepth = 0;
struct DepthGuard {
    DepthGuard() { ++gDepth; }
    ~DepthGuard() { --gDepth; }
};
}  // namespace

ZCRX_DEFINE_MEMBERS(ZcDbBlockReference, ZcDbEntity);

ZcDbBlockReference::ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId block)
    : block_(block), position_(position) {}

Zcad::ErrorStatus ZcDbBlockReference::setBlockTableRecord(ZcDbObjectId block) {
    WRITE_CHECK
    if (!host::db::peek<ZcDbBlockTableRecord>(block))
        return block.isNull() ? Zcad::eNullObjectId : Zcad::eWrongObjectType;
    block_ = block;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setPosition(const ZcGePoint3d& p) {
    WRITE_CHECK
    position_ = p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setScaleFactors(const ZcGeScale3d& s) {
    WRITE_CHECK
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0 || !std::isfinite(s.sx) || !std::isfinite(s.sy) ||
        !std::isfinite(s.sz))
        return Zcad::eInvalidInput;
    scale_ = s;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setRotation(double a) {
    WRITE_CHECK
    rotation_ = a;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setNormal(const ZcGeVector3d& n) {
    WRITE_CHECK
    if (n.isZeroLength())
        return Zcad::eInvalidInput;
    normal_ = n.normal();
    return Zcad::eOk;
}

ZcGeMatrix3d ZcDbBlockReference::blockTransform() const {
    ZcGePoint3d origin;
    if (auto* block = host::db::peek<ZcDbBlockTableRecord>(block_))
        origin = block->origin();
    ZcGeMatrix3d toOrigin = ZcGeMatrix3d::translation(-origin.asVector());
    ZcGeMatrix3d scale = ZcGeMatrix3d::scaling(scale_);
    ZcGeMatrix3d rotate = ZcGeMatrix3d::rotation(rotation_, ZcGeVector3d::kZAxis);
    ZcGeMatrix3d plane = ZcGeMatrix3d::planeToWorld(normal_);
    ZcGeMatrix3d place = ZcGeMatrix3d::translation(position_.asVector());
    return place * plane * rotate * scale * toOrigin;
}

Zcad::ErrorStatus ZcDbBlockReference::setBlockTransform(const ZcGeMatrix3d& t) {
    WRITE_CHECK
    // t = T(position) P(normal) R(rotation) S(scale) T(-origin): decompose the linear part.
    ZcGePoint3d origin;
    if (auto* block = host::db::peek<ZcDbBlockTableRecord>(block_))
        origin = block->origin();
    ZcGeVector3d c0(t.entry[0][0], t.entry[1][0], t.entry[2][0]);
    ZcGeVector3d c1(t.entry[0][1], t.entry[1][1], t.entry[2][1]);
    ZcGeVector3d c2(t.entry[0][2], t.entry[1][2], t.entry[2][2]);
    double sz = c2.length();
    if (sz == 0.0 || c0.isZeroLength() || c1.isZeroLength())
        return Zcad::eInvalidInput;
    ZcGeVector3d n = c2 / sz;
    ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(n);
    ZcGeVector3d p0 = c0, p1 = c1;
    p0.transformBy(toPlane);
    p1.transformBy(toPlane);
    if (std::fabs(p0.z) > 1e-9 * c0.length() || std::fabs(p1.z) > 1e-9 * c1.length())
        return Zcad::eCannotScaleNonUniformly;
    double sx = std::hypot(p0.x, p0.y);
    double rot = std::atan2(p0.y, p0.x);
    double sy = -std::sin(rot) * p1.x + std::cos(rot) * p1.y;
    double along = std::cos(rot) * p1.x + std::sin(rot) * p1.y;
    if (std::fabs(along) > 1e-9 * std::max(1.0, std::fabs(sy)))
        return Zcad::eCannotScaleNonUniformly;  // sheared
    normal_ = n;
    rotation_ = rot < 0.0 ? rot + 2.0 * ZcGe::kPi : rot;
    scale_ = ZcGeScale3d(sx, sy, sz);
    position_ = t * origin;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbObjectId& id, ZcDbAttribute* attribute) {
    id.setNull();
    if (!attribute)
        return Zcad::eNullEntityPointer;
    if (attribute->isDatabaseResident())
        return Zcad::eAlreadyInDb;
    DatabaseImpl* db = ObjectAccess::db(this);
    if (!db)
        return Zcad::eNoDatabase;
    WRITE_CHECK
    id = db->add(attribute, objectId(), true);
    if (id.isNull())
        return Zcad::eDuplicateKey;
    attributes_.push_back(id);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbAttribute* attribute) {
    ZcDbObjectId id;
    return appendAttribute(id, attribute);
}

ZcDbObjectIterator* ZcDbBlockReference::attributeIterator() const {
    ZcDbObjectIdArray ids;
    for (const ZcDbObjectId& id : attributes_)
        ids.append(id);
    return new ZcDbObjectIterator(ids);
}

ZcDbObject* ZcDbBlockReference::clone() const {
    auto* copy = new ZcDbBlockReference(*this);
    copy->attributes_.clear();  // attributes belong to their reference
    return copy;
}

void ZcDbBlockReference::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) {
    ZcDbEntity::forEachReference(fn);
    fn(block_);
}

Zcad::ErrorStatus ZcDbBlockReference::subTransformBy(const ZcGeMatrix3d& m) {
    ZcDbBlockReference probe(*this);
    Zcad::ErrorStatus es = probe.setBlockTransform(m * blockTransform());
    if (es != Zcad::eOk)
        return es;
    position_ = probe.position_;
    normal_ = probe.normal_;
    rotation_ = probe.rotation_;
    scale_ = probe.scale_;
    for (const ZcDbObjectId& id : attributes_)
        if (auto* attribute = host::db::peek<ZcDbAttribute>(id))
            ObjectAccess::transform(attribute, m);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::subGetGeomExtents(ZcDbExtents& e) const {
    auto* block = host::db::peek<ZcDbBlockTableRecord>(block_);
    if (block && gDepth < host::db::kMaxBlockNesting) {
        DepthGuard guard;
        ZcGeMatrix3d t = blockTransform();
        for (const ZcDbObjectId& id : block->entityIds()) {
            auto* entity = host::db::peek<ZcDbEntity>(id);
            if (!entity || entity->isErased() || ZcDbAttributeDefinition::cast(entity))
                continue;
            ZcDbExtents part;
            if (ObjectAccess::extents(entity, part) == Zcad::eOk && part.isValid()) {
                part.transformBy(t);
                e.addExt(part);
            }
        }
    }
    for (const ZcDbObjectId& id : attributes_) {
        auto* attribute = host::db::peek<ZcDbAttribute>(id);
        if (!attribute || attribute->isErased() || attribute->isInvisible())
            continue;
        ZcDbExtents part;
        if (ObjectAccess::extents(attribute, part) == Zcad::eOk)
            e.addExt(part);
    }
    if (!e.isValid())
        e.addPoint(position_);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::subExplode(ZcDbVoidPtrArray& entities) const {
    auto* block = host::db::peek<ZcDbBlockTableRecord>(block_);
    if (!block)
        return Zcad::eCannotExplodeEntity;
    ZcGeMatrix3d t = blockTransform();
    for (const ZcDbObjectId& id : block->entityIds()) {
        auto* entity = host::db::peek<ZcDbEntity>(id);
        if (!entity || entity->isErased() || ZcDbAttributeDefinition::cast(entity))
            continue;
        ZcDbEntity* copy = nullptr;
        if (entity->getTransformedCopy(t, copy) == Zcad::eOk)
            entities.append(copy);
    }
    return Zcad::eOk;
}

void ZcDbBlockReference::subSetPropertiesOfSubents(const ZcDbEntity& from) {
    for (const ZcDbObjectId& id : attributes_)
        if (auto* attribute = host::db::peek<ZcDbAttribute>(id))
            ObjectAccess::copyProperties(attribute, from);
}

void ZcDbBlockReference::subErased(bool erasing) {
    for (const ZcDbObjectId& id : attributes_)
        if (auto* attribute = host::db::peek<ZcDbAttribute>(id))
            ObjectAccess::setErased(attribute, erasing);
}
