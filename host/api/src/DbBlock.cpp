// Block table records: their entities, iterator, origin, layout link and preview icons.
#include "DbInternal.h"
#include "DbScene.h"
#include "host/render/Render.h"

using host::db::DatabaseImpl;
using host::db::ObjectAccess;

ZcDbBlockTableRecord::ZcDbBlockTableRecord() = default;

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbObjectId& id, ZcDbEntity* entity) {
    id.setNull();
    if (!entity)
        return Zcad::eNullEntityPointer;
    if (entity->isDatabaseResident())
        return Zcad::eAlreadyInDb;
    DatabaseImpl* db = ObjectAccess::db(this);
    if (!db)
        return Zcad::eNoDatabase;
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    id = db->add(entity, objectId(), true);
    if (id.isNull())
        return Zcad::eDuplicateKey;
    entities_.push_back(id);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbEntity* entity) {
    ZcDbObjectId id;
    return appendZcDbEntity(id, entity);
}

Zcad::ErrorStatus ZcDbBlockTableRecord::newIterator(ZcDbBlockTableRecordIterator*& iterator, bool atBeginning,
                                                    bool skipDeleted) const {
    iterator = nullptr;
    if (!isDatabaseResident())
        return Zcad::eNotInDatabase;
    iterator = new ZcDbBlockTableRecordIterator(objectId(), atBeginning, skipDeleted);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setOrigin(const ZcGePoint3d& origin) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    origin_ = origin;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setLayoutId(ZcDbObjectId layout) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    layoutId_ = layout;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setComments(const ZTCHAR* text) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    comments_ = host::db::safeText(text);
    return Zcad::eOk;
}

bool ZcDbBlockTableRecord::isAnonymous() const {
    const std::wstring& n = getNameConst();
    return !n.empty() && n[0] == L'*' && !isLayout();
}

bool ZcDbBlockTableRecord::hasAttributeDefinitions() const {
    for (const ZcDbObjectId& id : entities_) {
        auto* def = host::db::peek<ZcDbAttributeDefinition>(id);
        if (def && !def->isErased())
            return true;
    }
    return false;
}

bool ZcDbBlockTableRecord::hasPreviewIcon() const {
    if (!icon_.isEmpty())
        return true;
    return !host::db::blockScene(objectId()).empty();
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getPreviewIcon(PreviewIcon& icon) const {
    icon.setLogicalLength(0);
    if (!icon_.isEmpty()) {
        icon = icon_;
        return Zcad::eOk;
    }
    // Made on demand from the block's geometry.
    std::vector<std::uint8_t> made = host::render::makePreviewIcon(host::db::blockScene(objectId()));
    if (made.empty())
        return Zcad::eNotApplicable;
    icon.setLogicalLength(static_cast<int>(made.size()));
    for (size_t i = 0; i < made.size(); ++i)
        icon[static_cast<int>(i)] = made[i];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setPreviewIcon(const PreviewIcon& icon) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    icon_ = icon;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getBlockReferenceIds(ZcDbObjectIdArray& ids, bool) const {
    DatabaseImpl* db = ObjectAccess::db(this);
    if (!db)
        return Zcad::eNotInDatabase;
    ZcDbObjectId self = objectId();
    for (const auto& [handle, object] : db->objects) {
        auto* ref = ZcDbBlockReference::cast(object);
        if (ref && !ref->isErased() && ref->blockTableRecord() == self)
            ids.append(ref->objectId());
    }
    return Zcad::eOk;
}

void ZcDbBlockTableRecord::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) { fn(layoutId_); }

// ---------------------------------------------------------------------------------------
// Iterator over a block's entities.

namespace {

const std::vector<ZcDbObjectId>* entitiesOf(ZcDbObjectId block) {
    auto* record = host::db::peek<ZcDbBlockTableRecord>(block);
    return record ? &record->entityIds() : nullptr;
}

}  // namespace

ZcDbBlockTableRecordIterator::ZcDbBlockTableRecordIterator(ZcDbObjectId block, bool atBeginning, bool skipDeleted)
    : cursor_(block, entitiesOf) {
    start(atBeginning, skipDeleted);
}

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::getEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode,
                                                          bool openErased) const {
    entity = nullptr;
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = getEntityId(id); es != Zcad::eOk)
        return es;
    return zcdbOpenZcDbEntity(entity, id, mode, openErased);
}

