// Test fixture of the CAD access layer: a host session over the strict working drawing of
// StrictDatabaseTest (no open objects when a test ends), and helpers that build drawing
// content directly through the host API.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include <zcdbheaders.h>

#include "StrictDatabaseTest.h"

#include "host/Session.h"

#include <afxstr.h>

namespace cadtest {

class CadTest : public StrictDatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Appends entity to space (model space when null) and closes both; the entity's id.
    ZcDbObjectId append(ZcDbEntity* entity, ZcDbObjectId space = ZcDbObjectId::kNull);
    /// A new block definition with the entities (closed) and base point; its id.
    ZcDbObjectId defineBlock(const wchar_t* name, std::initializer_list<ZcDbEntity*> entities,
                             const ZcGePoint3d& origin = ZcGePoint3d::kOrigin);
    /// The ids of the entities of a block record, in order, erased ones skipped.
    ZcDbObjectIdArray entitiesOf(ZcDbObjectId block) const;
    ZcDbObjectIdArray modelSpaceEntities() const { return entitiesOf(db->modelSpaceId()); }
    /// Erases the object of id (opened for write and closed).
    void erase(ZcDbObjectId id);
    /// A layer, a linetype and a text style of the drawing by name, made when missing.
    ZcDbObjectId layer(const wchar_t* name);
    ZcDbObjectId linetype(const wchar_t* name);
    ZcDbObjectId textStyle(const wchar_t* name);
    /// The command line's text since the last call.
    std::wstring takeTranscript();

    /// An attribute definition at position with tag, default text and height.
    static ZcDbAttributeDefinition* attributeDefinition(const ZcGePoint3d& position, const wchar_t* tag,
                                                        const wchar_t* text = L"value",
                                                        double height = 2.5);

    std::unique_ptr<host::Session> session;
    /// The working drawing (StrictDatabaseTest::db()).
    ZcDbDatabase* db = nullptr;
};

/// Opens id for read and hands the object as T to fn, then closes it. Fails the test when
/// the object cannot be opened as a T.
template <class T, class Fn>
void withObject(ZcDbObjectId id, Fn fn) {
    T* object = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(object, id, ZcDb::kForRead);
    ASSERT_EQ(es, Zcad::eOk) << zcadErrorStatusText(es);
    fn(*object);
    object->close();
}

/// The Windows path (Z:) of a file of tests/cad/data.
CString dataFile(const std::string& name);

}  // namespace cadtest
