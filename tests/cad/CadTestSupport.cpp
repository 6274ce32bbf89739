// The CAD test fixture: session, strict working drawing and content helpers.
#include "CadTestSupport.h"

#include <filesystem>

#include "host/db/Database.h"
#include "platform/Paths.h"

namespace cadtest {

void CadTest::SetUp() {
    session = std::make_unique<host::Session>();
    StrictDatabaseTest::SetUp();
    db = StrictDatabaseTest::db();
    session->clearTranscript();
}

void CadTest::TearDown() {
    StrictDatabaseTest::TearDown();
    db = nullptr;
    session.reset();
}

ZcDbObjectId CadTest::append(ZcDbEntity* entity, ZcDbObjectId space) {
    if (space.isNull())
        space = db->modelSpaceId();
    ZcDbBlockTableRecord* record = nullptr;
    EXPECT_EQ(zcdbOpenObject(record, space, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId id;
    if (record != nullptr) {
        EXPECT_EQ(record->appendZcDbEntity(id, entity), Zcad::eOk);
        entity->close();
        record->close();
    }
    return id;
}

ZcDbObjectId CadTest::defineBlock(const wchar_t* name, std::initializer_list<ZcDbEntity*> entities,
                                  const ZcGePoint3d& origin) {
    ZcDbBlockTable* table = nullptr;
    EXPECT_EQ(db->getSymbolTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* record = new ZcDbBlockTableRecord();
    record->setName(name);
    record->setOrigin(origin);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Zcad::eOk);
    table->close();
    for (ZcDbEntity* entity : entities) {
        EXPECT_EQ(record->appendZcDbEntity(entity), Zcad::eOk);
        entity->close();
    }
    record->close();
    return id;
}

ZcDbObjectIdArray CadTest::entitiesOf(ZcDbObjectId block) const {
    ZcDbObjectIdArray ids;
    ZcDbBlockTableRecord* record = nullptr;
    if (zcdbOpenObject(record, block, ZcDb::kForRead) != Zcad::eOk)
        return ids;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    record->newIterator(iterator);
    for (; !iterator->done(); iterator->step()) {
        ZcDbObjectId id;
        iterator->getEntityId(id);
        ids.append(id);
    }
    delete iterator;
    record->close();
    return ids;
}

void CadTest::erase(ZcDbObjectId id) {
    ZcDbObject* object = nullptr;
    ASSERT_EQ(zcdbOpenObject(object, id, ZcDb::kForWrite), Zcad::eOk);
    EXPECT_EQ(object->erase(), Zcad::eOk);
    object->close();
}

namespace {

template <class Table, class Record>
ZcDbObjectId recordOf(ZcDbDatabase* db, const wchar_t* name) {
    Table* table = nullptr;
    EXPECT_EQ(db->getSymbolTable(table, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId id;
    if (table->getAt(name, id) != Zcad::eOk) {
        auto* record = new Record();
        record->setName(name);
        EXPECT_EQ(table->add(id, record), Zcad::eOk);
        record->close();
    }
    table->close();
    return id;
}

}  // namespace

ZcDbObjectId CadTest::layer(const wchar_t* name) {
    return recordOf<ZcDbLayerTable, ZcDbLayerTableRecord>(db, name);
}

ZcDbObjectId CadTest::linetype(const wchar_t* name) {
    return recordOf<ZcDbLinetypeTable, ZcDbLinetypeTableRecord>(db, name);
}

ZcDbObjectId CadTest::textStyle(const wchar_t* name) {
    return recordOf<ZcDbTextStyleTable, ZcDbTextStyleTableRecord>(db, name);
}

std::wstring CadTest::takeTranscript() {
    return session->takeTranscript();
}

ZcDbAttributeDefinition* CadTest::attributeDefinition(const ZcGePoint3d& position, const wchar_t* tag,
                                                      const wchar_t* text, double height) {
    auto* definition = new ZcDbAttributeDefinition(position, text, tag, L"Prompt");
    definition->setHeight(height);
    return definition;
}

CString dataFile(const std::string& name) {
    return CString(platform::toWindowsPath((std::filesystem::path(TAVRIX_CAD_DATA_DIR) / name).string()).c_str());
}

}  // namespace cadtest
