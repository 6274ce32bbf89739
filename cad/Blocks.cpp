// Blocks: listing block definitions and removing unavailable names from lists.
#include "cad/Blocks.h"

#include <zcdbsymtb.h>

#include "cad/BlockRecord.h"
#include "cad/ObjectId.h"
#include "cad/WorkingDatabase.h"
#include "support/FileEntry.h"

Blocks::Blocks(ZcDbDatabase* db) : database(db) {}

Blocks::~Blocks() = default;

int Blocks::blockNames(CStringArray& list, bool skipLayouts) {
    if (database == nullptr)
        return CadStatus::kNoSpace;
    ZcDbBlockTable* table = nullptr;
    Zcad::ErrorStatus es = database->getSymbolTable(table, ZcDb::kForRead);
    if (es != Zcad::eOk)
        return es;
    ZcDbBlockTableIterator* iterator = nullptr;
    es = table->newIterator(iterator, true, true);
    if (es != Zcad::eOk) {
        table->close();
        return es;
    }
    int result = CadStatus::kOk;
    for (; !iterator->done(); iterator->step(true, true)) {
        ZcDbBlockTableRecord* record = nullptr;
        result = iterator->getRecord(record, ZcDb::kForRead, false);
        if (result != Zcad::eOk)
            continue;
        const ZTCHAR* name = nullptr;
        if (!(skipLayouts && record->isLayout()) && record->getName(name) == Zcad::eOk && name != nullptr)
            list.Add(name);
        result = record->close();
    }
    delete iterator;
    table->close();
    return result;
}

int drawingBlockNames(CStringArray& list, bool skipLayouts) {
    return Blocks(workingDatabase()).blockNames(list, skipLayouts);
}

void removeUnavailable(CStringArray& list) {
    INT_PTR index = 0;
    while (index < list.GetSize()) {
        const CString entry = list.GetAt(index);
        if (!ZWBlockRecord(entry).objectId().isNull() || FileEntry(entry).exists())
            ++index;
        else
            list.RemoveAt(index);
    }
}
