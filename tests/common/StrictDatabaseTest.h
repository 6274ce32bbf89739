// A GoogleTest fixture that runs each test on a fresh working drawing in strict mode: the
// test fails when any database it watches still has open objects at its end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/db/Database.h"
#include "zcdbheaders.h"

class StrictDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zcdbHostApplicationServices()->workingDatabase();
        db_ = std::make_unique<ZcDbDatabase>(true, false);
        zcdbHostApplicationServices()->setWorkingDatabase(db_.get());
        watch(db_.get());
    }

    void TearDown() override {
        for (ZcDbDatabase* db : watched_) {
            std::wstring report;
            for (const std::wstring& line : host::db::openObjectReport(db))
                report += L"\n  " + line;
            EXPECT_EQ(0, host::db::openObjectCount(db)) << "objects left open:" << std::string(report.begin(), report.end());
        }
        zcdbHostApplicationServices()->setWorkingDatabase(previous_);
        db_.reset();
    }

    /// The working drawing of the test.
    ZcDbDatabase* db() const { return db_.get(); }

    /// Checks another database at the end of the test too (it must outlive TearDown or be
    /// unwatched with forget before it is deleted).
    void watch(ZcDbDatabase* db) { watched_.push_back(db); }
    void forget(ZcDbDatabase* db) { std::erase(watched_, db); }

public:
    /// Appends a new entity to a block record of a database (model space by default) and
    /// closes both; the entity's id.
    static ZcDbObjectId append(ZcDbEntity* entity, ZcDbDatabase* database, ZcDbObjectId space = ZcDbObjectId::kNull) {
        ZcDbBlockTableRecord* record = nullptr;
        if (space.isNull())
            space = database->modelSpaceId();
        EXPECT_EQ(Zcad::eOk, zcdbOpenObject(record, space, ZcDb::kForWrite));
        if (!record) {
            delete entity;
            return ZcDbObjectId::kNull;
        }
        ZcDbObjectId id;
        EXPECT_EQ(Zcad::eOk, record->appendZcDbEntity(id, entity));
        EXPECT_EQ(Zcad::eOk, entity->close());
        EXPECT_EQ(Zcad::eOk, record->close());
        return id;
    }
    ZcDbObjectId append(ZcDbEntity* entity) { return append(entity, db()); }


    /// Creates an empty block definition of that name; its id.
    static ZcDbObjectId addBlock(ZcDbDatabase* database, const wchar_t* name,
                                 const ZcGePoint3d& origin = ZcGePoint3d::kOrigin) {
        ZcDbBlockTable* table = nullptr;
        EXPECT_EQ(Zcad::eOk, database->getSymbolTable(table, ZcDb::kForWrite));
        auto* record = new ZcDbBlockTableRecord;
        record->setName(name);
        record->setOrigin(origin);
        ZcDbObjectId id;
        EXPECT_EQ(Zcad::eOk, table->add(id, record));
        record->close();
        table->close();
        return id;
    }

    /// Adds a layer; its id.
    static ZcDbObjectId addLayer(ZcDbDatabase* database, const wchar_t* name, Zdesk::UInt16 color = 7) {
        ZcDbLayerTable* table = nullptr;
        EXPECT_EQ(Zcad::eOk, database->getSymbolTable(table, ZcDb::kForWrite));
        auto* record = new ZcDbLayerTableRecord;
        record->setName(name);
        ZcCmColor c;
        c.setColorIndex(color);
        record->setColor(c);
        ZcDbObjectId id;
        EXPECT_EQ(Zcad::eOk, table->add(id, record));
        record->close();
        table->close();
        return id;
    }

private:
    ZcDbDatabase* previous_ = nullptr;
    std::unique_ptr<ZcDbDatabase> db_;
    std::vector<ZcDbDatabase*> watched_;
};
