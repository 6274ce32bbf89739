// Host-side access to the drawing database: strict-mode checks, header variables, current
// space and layouts, and the object-level access the file codec needs.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "zcdbmain.h"
#include "zcdbsymtb.h"

namespace host::db {

/// Block nesting deeper than this (or cyclic) is refused by insert and cut off by extents
/// and drawing.
constexpr int kMaxBlockNesting = 128;

// ---- Strict mode ------------------------------------------------------------------------

/// The number of objects of db that are open (0 for null).
ZCAD_PORT int openObjectCount(const ZcDbDatabase* db);
/// One line per open object: class, handle, mode ("ZcDbLine 2A open for write").
ZCAD_PORT std::vector<std::wstring> openObjectReport(const ZcDbDatabase* db);

// ---- Header variables -------------------------------------------------------------------

/// A header variable value: integer, real, text, point, or an object id (the records that
/// CLAYER, TEXTSTYLE, CELTYPE and DIMSTYLE name).
using HeaderValue = std::variant<std::monostate, Zdesk::Int32, double, std::wstring, ZcGePoint3d,
                                 ZcDbObjectId>;

/// The value of a header variable, by its name without "$", case-insensitive ("INSBASE",
/// "CLAYER"...); monostate when the database does not have it. Variables the database
/// keeps as records (CLAYER, TEXTSTYLE, CELTYPE) come back as the record's id.
ZCAD_PORT HeaderValue headerVar(const ZcDbDatabase* db, const std::wstring& name);
/// Sets a header variable. Record-valued ones accept an id or a name (eKeyNotFound for an
/// unknown record); others keep what they are given. Unknown names are stored as given
/// (the codec keeps every variable of a file).
ZCAD_PORT Zcad::ErrorStatus setHeaderVar(ZcDbDatabase* db, const std::wstring& name, HeaderValue value);
/// All header variables in the order they were first set, names upper case.
ZCAD_PORT std::vector<std::pair<std::wstring, HeaderValue>> headerVars(const ZcDbDatabase* db);

// ---- Spaces and layouts -----------------------------------------------------------------

/// Makes the block record current: model space (TILEMODE 1) or a layout's block (TILEMODE
/// 0, that layout current). eWrongObjectType for a record that is not a layout block.
ZCAD_PORT Zcad::ErrorStatus setCurrentSpace(ZcDbDatabase* db, ZcDbObjectId blockRecord);
/// By layout name ("Model", "Layout1"; case-insensitive). eKeyNotFound when unknown.
ZCAD_PORT Zcad::ErrorStatus setCurrentLayout(ZcDbDatabase* db, const std::wstring& layoutName);
/// The layout objects, model first, then by tab order.
ZCAD_PORT std::vector<ZcDbObjectId> layoutIds(const ZcDbDatabase* db);
/// Creates a layout with its own paper-space block ("*Paper_Space0"...).
ZCAD_PORT Zcad::ErrorStatus addLayout(ZcDbDatabase* db, const std::wstring& name, ZcDbObjectId& layoutId);

// ---- Object-level access for the file codec ---------------------------------------------

/// Every object id of db in handle order (erased ones included).
ZCAD_PORT std::vector<ZcDbObjectId> allObjectIds(const ZcDbDatabase* db);
/// The object of an id without opening it (null when missing). For the codec and tests:
/// plug-in-facing code opens objects.
ZCAD_PORT ZcDbObject* peekObject(ZcDbObjectId id);
/// Adds a new object under a given handle and owner (the codec restores a file's
/// handles); a null handle takes the next free one. The object is added closed.
/// eDuplicateKey when the handle is taken. Entities are not linked into their owner's entity list: use
/// linkEntity for that. The handle seed moves past the handle.
ZCAD_PORT Zcad::ErrorStatus addObjectWithHandle(ZcDbDatabase* db, ZcDbObject* object, ZcDbHandle handle,
                                                ZcDbObjectId owner, ZcDbObjectId& id);
/// Appends an entity already in db to a block record's list (or an attribute to a block
/// reference's attributes), without opening anything.
ZCAD_PORT Zcad::ErrorStatus linkEntity(ZcDbObjectId owner, ZcDbObjectId entity);
/// Adds a record already in db to a table's list without opening anything.
ZCAD_PORT Zcad::ErrorStatus linkRecord(ZcDbObjectId table, ZcDbObjectId record);
/// The ids of the standard tables may be set by the codec after it created them.
enum class Table { Block, Layer, Linetype, TextStyle, RegApp };
ZCAD_PORT Zcad::ErrorStatus setTableId(ZcDbDatabase* db, Table table, ZcDbObjectId id);
ZCAD_PORT ZcDbHandle handseed(const ZcDbDatabase* db);
ZCAD_PORT void setHandseed(ZcDbDatabase* db, ZcDbHandle seed);
/// Removes every object (the state of a database built without a default drawing).
ZCAD_PORT void clearDatabase(ZcDbDatabase* db);
/// Records the file name that originalFileName reports.
ZCAD_PORT void setOriginalFileName(ZcDbDatabase* db, const std::wstring& path);

/// The (group code, text) pairs of the file the model does not interpret, kept per object.
ZCAD_PORT std::vector<RawGroup>& unmodelledGroups(ZcDbObject* object);
ZCAD_PORT const std::vector<RawGroup>& unmodelledGroups(const ZcDbObject* object);
/// The extended data items, application by application, as stored.
ZCAD_PORT std::vector<XDataItem>& xdataItems(ZcDbObject* object);
ZCAD_PORT const std::vector<XDataItem>& xdataItems(const ZcDbObject* object);

/// A slot on the database for the codec's own data (sections and objects it keeps
/// verbatim); kept until the database dies or the slot is replaced.
ZCAD_PORT void setCodecData(ZcDbDatabase* db, std::shared_ptr<void> data);
ZCAD_PORT std::shared_ptr<void> codecData(const ZcDbDatabase* db);

// ---- Objects the model does not know ----------------------------------------------------

/// An object of a kind the model does not interpret (dictionaries, styles...): its type
/// name and its groups (in unmodelledGroups) are kept for writing back.
class ZCAD_PORT UnknownObject : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(UnknownObject);
    explicit UnknownObject(std::wstring typeName = L"") : typeName_(std::move(typeName)) {}
    const std::wstring& typeName() const { return typeName_; }
    ZcDbObject* clone() const override { return new UnknownObject(*this); }

private:
    UnknownObject(const UnknownObject&) = default;
    std::wstring typeName_;
};

/// An entity of a kind the model does not interpret; it has no geometry here.
class ZCAD_PORT UnknownEntity : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(UnknownEntity);
    explicit UnknownEntity(std::wstring typeName = L"") : typeName_(std::move(typeName)) {}
    const std::wstring& typeName() const { return typeName_; }
    ZcDbObject* clone() const override { return new UnknownEntity(*this); }

private:
    UnknownEntity(const UnknownEntity&) = default;
    std::wstring typeName_;
};

// ---- Names ------------------------------------------------------------------------------

/// Symbol names compare like the host: without regard to letter case (Unicode simple
/// case folding of the common scripts).
ZCAD_PORT bool sameName(const std::wstring& a, const std::wstring& b);
ZCAD_PORT std::wstring foldName(const std::wstring& name);

}  // namespace host::db
