// The Entity wrapper: validity checks, opening, closing and transforming an entity by id.
#include "cad/Entity.h"

Entity::~Entity() = default;

int Entity::checkId() {
    if (!id.isValid())
        entityStatus = CadStatus::kNoObject;
    else if (id.isErased())
        entityStatus = CadStatus::kErased;
    else
        entityStatus = CadStatus::kOk;
    return entityStatus;
}

int Entity::open(int mode) {
    // A wrapper holds one open at a time: an earlier one is ended rather than lost.
    if (entity != nullptr) {
        entity->close();
        entity = nullptr;
    }
    if (int result = checkId(); result != 0)
        return result;
    ZcDbEntity* opened = nullptr;
    if (zcdbOpenZcDbEntity(opened, id, static_cast<ZcDb::OpenMode>(mode), false) != Zcad::eOk)
        opened = nullptr;
    entity = opened;
    return entity != nullptr ? CadStatus::kOk : CadStatus::kNoEntity;
}

int Entity::close() {
    if (entity != nullptr) {
        entityStatus = entity->close();
        entity = nullptr;
    }
    return entityStatus;
}

ZcDbEntity* Entity::openEntity(int mode) const {
    ZcDbEntity* opened = nullptr;
    if (zcdbOpenZcDbEntity(opened, id, static_cast<ZcDb::OpenMode>(mode), false) != Zcad::eOk)
        return nullptr;
    return opened;
}

int Entity::transformBy(ZcGeMatrix3d matrix) {
    if (int result = checkId(); result != 0)
        return result;
    ZcDbEntity* opened = openEntity(ZcDb::kForWrite);
    if (opened == nullptr)
        return CadStatus::kNoEntity;
    entityStatus = opened->transformBy(matrix);
    opened->close();
    return entityStatus;
}

int Entity::openAs(int mode, const ZcRxClass* objectClass) {
    if (int result = Entity::open(mode); result != 0)
        return result;
    if (entity->isA()->isDerivedFrom(objectClass))
        return CadStatus::kOk;
    entityStatus = entity->close();
    entity = nullptr;
    id = nullObjectId;
    return CadStatus::kWrongClass;
}

bool Entity::isEntityOf(const ZcRxClass* objectClass) const {
    if (!id.isValid())
        return false;
    ZcDbEntity* opened = openEntity(ZcDb::kForRead);
    if (opened == nullptr)
        return false;
    bool matches = opened->isA()->isDerivedFrom(objectClass);
    opened->close();
    return matches;
}
