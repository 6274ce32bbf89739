// The host's open/close rules: shared reads, exclusive writes, the read-to-write upgrade,
// erased objects, null ids and ids of deleted databases.
#include "StrictDatabaseTest.h"

namespace {

class DbOpenCloseTest : public StrictDatabaseTest {
protected:
    ZcDbObjectId line() { return append(new ZcDbLine({0, 0, 0}, {10, 0, 0})); }
};

TEST_F(DbOpenCloseTest, ReadsShareAndWriteIsExclusive) {
    ZcDbObjectId id = line();
    ZcDbObject *a = nullptr, *b = nullptr, *w = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(a, id, ZcDb::kForRead));
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(b, id, ZcDb::kForRead));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a->isWriteEnabled());
    // Two readers: a write open is refused.
    EXPECT_EQ(Zcad::eWasOpenForRead, zcdbOpenObject(w, id, ZcDb::kForWrite));
    EXPECT_EQ(nullptr, w);
    EXPECT_EQ(Zcad::eOk, a->close());
    EXPECT_EQ(Zcad::eOk, b->close());

    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(w, id, ZcDb::kForWrite));
    EXPECT_EQ(Zcad::eWasOpenForWrite, zcdbOpenObject(a, id, ZcDb::kForRead));
    EXPECT_EQ(Zcad::eWasOpenForWrite, zcdbOpenObject(b, id, ZcDb::kForWrite));
    EXPECT_EQ(1, db()->countOpenObjects());
    EXPECT_EQ(Zcad::eOk, w->close());
    EXPECT_EQ(0, db()->countOpenObjects());
}

TEST_F(DbOpenCloseTest, WriteOpenOfTheOneReaderUpgradesAndOneCloseEndsIt) {
    ZcDbObjectId id = line();
    ZcDbEntity* reader = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenZcDbEntity(reader, id, ZcDb::kForRead));
    ZcDbObject* writer = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(writer, id, ZcDb::kForWrite));
    EXPECT_EQ(static_cast<ZcDbObject*>(reader), writer);
    EXPECT_TRUE(reader->isWriteEnabled());
    EXPECT_EQ(Zcad::eOk, reader->setColorIndex(1));
    EXPECT_EQ(Zcad::eOk, writer->close());
    EXPECT_EQ(0, db()->countOpenObjects());
    EXPECT_EQ(Zcad::eInvalidOpenState, writer->close());  // a second close is a status, not a crash
}

TEST_F(DbOpenCloseTest, ReaderLimit) {
    ZcDbObjectId id = line();
    std::vector<ZcDbObject*> opened;
    ZcDbObject* o = nullptr;
    while (zcdbOpenObject(o, id, ZcDb::kForRead) == Zcad::eOk)
        opened.push_back(o);
    EXPECT_EQ(256u, opened.size());
    EXPECT_EQ(Zcad::eAtMaxReaders, zcdbOpenObject(o, id, ZcDb::kForRead));
    for (ZcDbObject* each : opened)
        each->close();
}

TEST_F(DbOpenCloseTest, FailingOpensReportTheHostStatuses) {
    ZcDbObjectId erased = line();
    ZcDbObject* o = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(o, erased, ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, o->erase());
    o->close();

    ZcDbObjectId goneDatabase;
    {
        ZcDbDatabase other;
        goneDatabase = other.modelSpaceId();
        EXPECT_TRUE(goneDatabase.isValid());
    }
    ZcDbObjectId unknownHandle(db()->serial(), 0xFFFFFF);

    struct Case {
        const char* what;
        ZcDbObjectId id;
        Zcad::ErrorStatus expected;
    } cases[] = {
        {"null id", ZcDbObjectId::kNull, Zcad::eNullObjectId},
        {"erased", erased, Zcad::eWasErased},
        {"deleted database", goneDatabase, Zcad::eWrongDatabase},
        {"unknown handle", unknownHandle, Zcad::eKeyNotFound},
    };
    for (const Case& c : cases) {
        for (ZcDb::OpenMode mode : {ZcDb::kForRead, ZcDb::kForWrite}) {
            o = reinterpret_cast<ZcDbObject*>(1);
            EXPECT_EQ(c.expected, zcdbOpenObject(o, c.id, mode)) << c.what;
            EXPECT_EQ(nullptr, o) << c.what;
        }
    }
    EXPECT_FALSE(goneDatabase.isValid());
    EXPECT_EQ(nullptr, goneDatabase.database());
    EXPECT_EQ(nullptr, goneDatabase.objectClass());

    // Erased objects stay and open with openErased.
    EXPECT_TRUE(erased.isErased());
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(o, erased, ZcDb::kForRead, true));
    EXPECT_TRUE(o->isErased());
    o->close();
}

TEST_F(DbOpenCloseTest, ClassTestsOnOpen) {
    ZcDbObjectId id = line();
    ZcDbCircle* circle = nullptr;
    EXPECT_EQ(Zcad::eNotThatKindOfClass, zcdbOpenObject(circle, id, ZcDb::kForRead));
    EXPECT_EQ(nullptr, circle);
    ZcDbEntity* entity = nullptr;
    EXPECT_EQ(Zcad::eNotAnEntity, zcdbOpenZcDbEntity(entity, db()->blockTableId(), ZcDb::kForRead));
    EXPECT_EQ(0, db()->countOpenObjects());

    ZcDbCurve* curve = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(curve, id, ZcDb::kForRead));
    EXPECT_TRUE(curve->isA()->isDerivedFrom(ZcDbCurve::desc()));
    EXPECT_TRUE(curve->isKindOf(ZcDbEntity::desc()));
    EXPECT_FALSE(curve->isKindOf(ZcDbCircle::desc()));
    EXPECT_STREQ(L"ZcDbLine", curve->isA()->name());
    EXPECT_EQ(ZcDbLine::desc(), id.objectClass());
    curve->close();
}

TEST_F(DbOpenCloseTest, SettersOfAReadOpenObjectChangeNothing) {
    ZcDbObjectId id = line();
    ZcDbLine* l = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(l, id, ZcDb::kForRead));
    EXPECT_EQ(Zcad::eNotOpenForWrite, l->setStartPoint({5, 5, 5}));
    EXPECT_EQ(Zcad::eNotOpenForWrite, l->erase());
    EXPECT_EQ(ZcGePoint3d(0, 0, 0), l->startPoint());
    EXPECT_EQ(Zcad::eOk, l->upgradeOpen());
    EXPECT_EQ(Zcad::eOk, l->setStartPoint({5, 5, 5}));
    EXPECT_EQ(Zcad::eOk, l->downgradeOpen());
    EXPECT_FALSE(l->isWriteEnabled());
    l->close();
}

TEST_F(DbOpenCloseTest, NewObjectsBelongToTheirCreatorUntilAppended) {
    auto* line = new ZcDbLine;
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_EQ(Zcad::eNotInDatabase, line->close());
    EXPECT_TRUE(line->objectId().isNull());
    delete line;

    // Deleting a resident object (a programmer error) does not leave a dangling entry.
    ZcDbObjectId id = this->line();
    ZcDbObject* o = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(o, id, ZcDb::kForRead));
    delete o;
    EXPECT_EQ(Zcad::eKeyNotFound, zcdbOpenObject(o, id, ZcDb::kForRead));
    EXPECT_EQ(0, db()->countOpenObjects());
}

TEST_F(DbOpenCloseTest, StrictModeReportsWhatIsLeftOpen) {
    ZcDbObjectId id = line();
    ZcDbObject* o = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(o, id, ZcDb::kForRead));
    EXPECT_EQ(1, host::db::openObjectCount(db()));
    std::vector<std::wstring> report = host::db::openObjectReport(db());
    ASSERT_EQ(1u, report.size());
    EXPECT_NE(std::wstring::npos, report[0].find(L"ZcDbLine")) << std::string(report[0].begin(), report[0].end());
    EXPECT_NE(std::wstring::npos, report[0].find(L"open for read"));
    o->close();
    EXPECT_EQ(0, host::db::openObjectCount(db()));
}

TEST_F(DbOpenCloseTest, EntityNamesRoundTrip) {
    ZcDbObjectId id = line();
    zds_name name;
    ASSERT_EQ(Zcad::eOk, zcdbGetZdsName(name, id));
    ZcDbObjectId back;
    ASSERT_EQ(Zcad::eOk, zcdbGetObjectId(back, name));
    EXPECT_EQ(id, back);
    name[1] = 0x7FFFFFFF;
    EXPECT_EQ(Zcad::eInvalidAdsName, zcdbGetObjectId(back, name));
    EXPECT_TRUE(back.isNull());
    ZcDbObjectId fromOld;
    fromOld.setFromOldId(id.asOldId());
    EXPECT_EQ(id, fromOld);
}

}  // namespace
