// DwgBlockImporter: reading a sign drawing into a block definition.
#include "cad/DwgBlockImporter.h"

#include <zcdbsymtb.h>
#include <zcutads.h>

#include "cad/BlockDef.h"
#include "cad/BlockRecord.h"
#include "cad/ObjectId.h"
#include "cad/WorkingDatabase.h"
#include "frame/Printer.h"
#include "support/FileEntry.h"
#include "support/UI_Path.h"

DwgBlockImporter::DwgBlockImporter(const CString& filePath, const CString& name)
    : status(CadStatus::kNoObject), path(filePath), blockName(name) {}

DwgBlockImporter::~DwgBlockImporter() {
    delete sourceDatabase;
}

int DwgBlockImporter::import() {
    if (ZWBlockDef(blockName).isBlockDefinition())
        return CadStatus::kOk;

    ZWBlockDef titled(UI_Path(path).title());
    if (titled.isBlockDefinition()) {
        blockName = titled.name();
        return CadStatus::kOk;
    }

    if (!FileEntry(path).exists())
        return CadStatus::kFileNotFound;
    if (FileEntry(path).extension().IsEmpty())
        path = path + blockName + L".dwg";  // a folder ending with a separator
    if (!FileEntry(path).exists())
        return CadStatus::kFileNotFound;
    if (blockName.IsEmpty())
        blockName = UI_Path(path).title();

    delete sourceDatabase;
    sourceDatabase = new ZcDbDatabase(false, true);
    status = sourceDatabase->readDwgFile(path, ZcDbDatabase::kForReadAndReadShare, false, nullptr);
    if (status != Zcad::eOk)
        return status;

    if (blockName.IsEmpty()) {
        status = CadStatus::kNoBlockName;
        return status;
    }

    targetDatabase = workingDatabase();
    if (targetDatabase == nullptr) {
        status = CadStatus::kNoSpace;
        return status;
    }
    ZcDbObjectId newBlockId;
    status = targetDatabase->insert(newBlockId, blockName, sourceDatabase, false);
    if (status != Zcad::eOk)
        return status;

    ZcDbBlockTable* sourceTable = nullptr;
    status = sourceDatabase->getSymbolTable(sourceTable, ZcDb::kForRead);
    if (status != Zcad::eOk)
        return status;
    if (sourceTable->getAt(ZCDB_MODEL_SPACE, sourceModelSpaceId, false) != Zcad::eOk)
        sourceModelSpaceId = nullObjectId;
    status = sourceTable->close();
    if (status != Zcad::eOk)
        return status;

    copyAttributeFlags();

    ZWBlockDef created(blockName);
    if (!created.isBlockDefinition())
        return CadStatus::kBlockNotDefined;
    created.setOrigin(ZcGePoint3d(0.0, 0.0, 0.0));
    return CadStatus::kOk;
}

int DwgBlockImporter::copyAttributeFlags() {
    ZcDbBlockTableRecord* modelSpace = nullptr;
    if (zcdbOpenObject(modelSpace, sourceModelSpaceId, ZcDb::kForRead, false) != Zcad::eOk)
        return CadStatus::kOk;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    if (modelSpace->newIterator(iterator, true, true) == Zcad::eOk && iterator != nullptr) {
        for (; !iterator->done(); iterator->step(true, true)) {
            ZcDbEntity* entity = nullptr;
            if (iterator->getEntity(entity, ZcDb::kForRead, false) != Zcad::eOk || entity == nullptr)
                continue;
            ZcDbAttributeDefinition* source = ZcDbAttributeDefinition::cast(entity);
            if (source == nullptr) {
                entity->close();
                continue;
            }
            CString tag;
            if (ZTCHAR* text = source->tag()) {
                tag = text;
                zcutDelBuffer(text);
            }
            ZcDbAttributeDefinition* target = nullptr;
            findAttributeDefinition(tag, target);
            if (target != nullptr) {
                status = target->setInvisible(source->isInvisible());
                status = target->setConstant(source->isConstant());
                status = target->setVerifiable(source->isVerifiable());
                status = target->setLockPositionInBlock(source->lockPositionInBlock());
                status = target->setPreset(source->isPreset());
                target->close();
                status = source->close();
            } else {
                source->close();
            }
        }
        delete iterator;
    }
    modelSpace->close();
    return CadStatus::kOk;
}

int DwgBlockImporter::findAttributeDefinition(const CString& tag, ZcDbAttributeDefinition*& found) {
    found = nullptr;
    ZWBlockRecord block(blockName);
    ZcDbBlockTableRecord* record = nullptr;
    status = zcdbOpenObject(record, block.objectId(), ZcDb::kForRead, false);
    if (status != Zcad::eOk)
        return status;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    status = record->newIterator(iterator, true, true);
    if (status != Zcad::eOk || iterator == nullptr) {
        record->close();
        return status;
    }
    for (; !iterator->done(); iterator->step(true, true)) {
        ZcDbEntity* entity = nullptr;
        Zcad::ErrorStatus es = iterator->getEntity(entity, ZcDb::kForWrite, false);
        if (es != Zcad::eOk || entity == nullptr) {
            status = es;
            printErrorStatus(status);
            continue;
        }
        ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity);
        if (definition == nullptr) {
            entity->close();
            continue;
        }
        bool matches = false;
        if (ZTCHAR* text = definition->tag()) {
            matches = tag.CollateNoCase(text) == 0;
            zcutDelBuffer(text);
        }
        if (matches) {
            found = definition;
            break;
        }
        status = definition->close();
    }
    delete iterator;
    record->close();
    return CadStatus::kOk;
}
