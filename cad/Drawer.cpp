// ZWDrawer: appending entities to model space, a given space or the current space.
#include "cad/Drawer.h"

#include "cad/WorkingDatabase.h"
#include "frame/Printer.h"

namespace {

/// The model space of the working database, open for write; null when it cannot be had.
ZcDbBlockTableRecord* openModelSpace() {
    ZcDbDatabase* db = workingDatabase();
    if (db == nullptr)
        return nullptr;
    ZcDbBlockTable* table = nullptr;
    if (db->getSymbolTable(table, ZcDb::kForRead) != Zcad::eOk || table == nullptr)
        return nullptr;
    ZcDbBlockTableRecord* space = nullptr;
    if (table->getAt(ZCDB_MODEL_SPACE, space, ZcDb::kForWrite) != Zcad::eOk)
        space = nullptr;
    table->close();
    return space;
}

}  // namespace

int ZWDrawer::Add(ZcDbEntity* entity, ZcDbBlockTableRecord* space) {
    if (entity == nullptr) {
        printMessage(L"ZWDrawer::Add", false);
        return CadStatus::kNoEntity;
    }
    if (space == nullptr) {
        space = openModelSpace();
        if (space == nullptr)
            return CadStatus::kNoSpace;
    }
    // A space held open for read is opened again for write through its id: the host hands
    // back the same object, now writable, and one close ends both.
    ZcDbObject* target = space;
    if (!space->isWriteEnabled()) {
        ZcDbObject* reopened = nullptr;
        Zcad::ErrorStatus es = zcdbOpenObject(reopened, space->objectId(), ZcDb::kForWrite, false);
        if (es != Zcad::eOk) {
            space->close();
            return es;
        }
        target = reopened;
    }
    if (!target->isA()->isDerivedFrom(ZcDbBlockTableRecord::desc())) {
        target->close();
        return CadStatus::kNoSpace;
    }
    int result = static_cast<ZcDbBlockTableRecord*>(target)->appendZcDbEntity(entity);
    target->close();
    return result;
}

int ZWDrawer::AddToCurrentSpace(ZcDbEntity* entity, ZcDbObjectId spaceId) {
    if (entity == nullptr)
        return CadStatus::kNoEntity;
    if (spaceId.isNull()) {
        ZcDbDatabase* db = workingDatabase();
        if (db == nullptr)
            return CadStatus::kNoSpace;
        ZcDbObject* current = nullptr;
        if (zcdbOpenObject(current, db->currentSpaceId(), ZcDb::kForRead, false) != Zcad::eOk)
            return CadStatus::kNoSpace;
        bool isRecord = current->isA()->isDerivedFrom(ZcDbBlockTableRecord::desc());
        spaceId = current->objectId();
        current->close();
        if (!isRecord)
            return CadStatus::kNoSpace;
    }
    ZcDbObject* space = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(space, spaceId, ZcDb::kForWrite, false);
    if (es != Zcad::eOk)
        return es;
    if (!space->isA()->isDerivedFrom(ZcDbBlockTableRecord::desc())) {
        space->close();
        return CadStatus::kNotBlockRecord;
    }
    int result = static_cast<ZcDbBlockTableRecord*>(space)->appendZcDbEntity(entity);
    space->close();
    return result;
}
