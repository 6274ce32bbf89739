// ZWBlockRecord: lookup of a block definition by name in the working drawing.
#include "cad/BlockRecord.h"

#include <zcdbsymtb.h>

#include "cad/WorkingDatabase.h"

ZWBlockRecord::ZWBlockRecord(const CString& name) : blockName(name) {
    find();
}

bool ZWBlockRecord::find() {
    ZcDbDatabase* db = workingDatabase();
    if (db == nullptr)
        return false;
    ZcDbBlockTable* table = nullptr;
    if (db->getSymbolTable(table, ZcDb::kForRead) != Zcad::eOk || table == nullptr)
        return false;
    bool found = false;
    if (table->has(blockName)) {
        ZcDbBlockTableRecord* definition = nullptr;
        if (table->getAt(blockName, definition, ZcDb::kForRead, false) == Zcad::eOk) {
            record = definition->objectId();
            definition->close();
            found = true;
        }
    }
    table->close();
    return found;
}

CString ZWBlockRecord::name() const {
    ZcDbBlockTableRecord* definition = nullptr;
    if (zcdbOpenObject(definition, record, ZcDb::kForRead, false) != Zcad::eOk)
        return CString();
    CString result;
    const ZTCHAR* stored = nullptr;
    if (definition->getName(stored) == Zcad::eOk && stored != nullptr)
        result = stored;
    definition->close();
    return result;
}

ZcDbObjectId ZWBlockRecord::objectId() const {
    return record;
}
