// ZWBlockDef: lookup by name or id, and the operations on a block definition.
#include "cad/BlockDef.h"

#include <zcdbents.h>
#include <zcutads.h>

#include "cad/Attributes.h"
#include "cad/WorkingDatabase.h"

ZWBlockDef::ZWBlockDef(const CString& name, ZcDbDatabase* db)
    : database(db != nullptr ? db : workingDatabase()) {
    if (database == nullptr)
        return;
    ZcDbBlockTable* table = nullptr;
    if (database->getSymbolTable(table, ZcDb::kForRead) != Zcad::eOk || table == nullptr)
        return;
    if (table->has(name)) {
        ZcDbObjectId found;
        if (table->getAt(name, found, false) == Zcad::eOk)
            id = found;
    }
    table->close();
}

ZWBlockDef::ZWBlockDef(const ZcDbObjectId& objectId) {
    ZcDbObject* object = nullptr;
    if (zcdbOpenZcDbObject(object, objectId, ZcDb::kForRead, false) != Zcad::eOk)
        return;
    if (ZcDbBlockReference* reference = ZcDbBlockReference::cast(object))
        id = reference->blockTableRecord();
    else if (ZcDbBlockTableRecord::cast(object) != nullptr)
        id = objectId;
    object->close();
}

ZWBlockDef::~ZWBlockDef() = default;

int ZWBlockDef::open(int mode) {
    // One open at a time: an earlier one is ended rather than lost.
    if (record != nullptr) {
        record->close();
        record = nullptr;
    }
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, id, static_cast<ZcDb::OpenMode>(mode), false) != Zcad::eOk)
        return CadStatus::kBlockNotOpened;
    record = ZcDbBlockTableRecord::cast(object);
    if (record == nullptr) {
        object->close();
        return CadStatus::kWrongClass;
    }
    return CadStatus::kOk;
}

int ZWBlockDef::close() {
    if (record != nullptr) {
        status = record->close();
        record = nullptr;
    }
    return status;
}

bool ZWBlockDef::isBlockDefinition() const {
    if (!id.isValid())
        return false;
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, id, ZcDb::kForRead, false) != Zcad::eOk)
        return false;
    bool isRecord = ZcDbBlockTableRecord::cast(object) != nullptr;
    object->close();
    return isRecord;
}

CString ZWBlockDef::name() {
    if (open(ZcDb::kForRead) != 0)
        return CString();
    CString result;
    const ZTCHAR* stored = nullptr;
    if (record->getName(stored) == Zcad::eOk && stored != nullptr)
        result = stored;
    if (close() != Zcad::eOk)
        return CString();
    return result;
}

int ZWBlockDef::setName(const CString& newName) {
    if (int result = open(ZcDb::kForWrite); result != 0)
        return result;
    int result = record->setName(newName);
    close();
    return result;
}

int ZWBlockDef::setOrigin(const ZcGePoint3d& point) {
    if (!isBlockDefinition())
        return CadStatus::kBlockNotDefined;
    if (int result = open(ZcDb::kForWrite); result != 0)
        return result;
    int result = record->setOrigin(point);
    close();
    return result;
}

ZcDbObjectIdArray ZWBlockDef::entityIds() {
    ZcDbObjectIdArray ids(0, 8);
    if (open(ZcDb::kForRead) != 0)
        return ids;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    if (record->newIterator(iterator, true, true) == Zcad::eOk && iterator != nullptr) {
        for (; !iterator->done(); iterator->step(true, true)) {
            ZcDbObjectId entityId;
            if (iterator->getEntityId(entityId) == Zcad::eOk)
                ids.append(entityId);
        }
        delete iterator;
    }
    close();
    return ids;
}

ZcDbObjectIdArray ZWBlockDef::attributeDefinitions() {
    ZcDbObjectIdArray definitions(0, 8);
    for (const ZcDbObjectId& entityId : entityIds())
        if (ZWAttributeDefinition(entityId).isAttributeDefinition())
            definitions.append(entityId);
    return definitions;
}
