// The drawing database: objects, entities, the database itself and the open/close calls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "zadsdef.h"
#include "zcadstrc.h"
#include "zccmcolor.h"
#include "zcdb.h"
#include "zcdbid.h"
#include "zcgemat3d.h"
#include "zcrxobj.h"

class ZcDbDatabase;
class ZcDbEntity;
class ZcDbBlockTable;
class ZcDbLayerTable;
class ZcDbLinetypeTable;
class ZcDbTextStyleTable;
class ZcDbRegAppTable;
class ZcDbSymbolTable;

namespace host::db {
class DatabaseImpl;
struct ObjectAccess;

/// One extended-data item: group code 1000..1071 and its value (text for 1000-1003 and
/// 1005, bytes for 1004, a point for 1010-1013, a real for 1040-1042, an integer for 1070
/// and 1071).
struct XDataItem {
    int code = 0;
    std::variant<std::monostate, std::wstring, double, Zdesk::Int32, ZcGePoint3d,
                 std::vector<Zdesk::UInt8>>
        value;
};

/// A (group code, value text) pair of the drawing file that the model does not interpret;
/// kept with its object and written back as it came.
struct RawGroup {
    int code = 0;
    std::wstring value;
};
}  // namespace host::db

typedef ZcArray<void*> ZcDbVoidPtrArray;

/// The box of an entity, world coordinates. Empty until a point is added.
class ZCAD_PORT ZcDbExtents {
public:
    ZcDbExtents();
    ZcDbExtents(const ZcGePoint3d& minPoint, const ZcGePoint3d& maxPoint);

    ZcGePoint3d minPoint() const { return min_; }
    ZcGePoint3d maxPoint() const { return max_; }
    /// eInvalidExtents when a coordinate of min is above max.
    Zcad::ErrorStatus set(const ZcGePoint3d& minPoint, const ZcGePoint3d& maxPoint);
    void addPoint(const ZcGePoint3d& point);
    void addExt(const ZcDbExtents& other);
    void expandBy(const ZcGeVector3d& vector);
    /// Transforms the eight corners and takes their box.
    void transformBy(const ZcGeMatrix3d& matrix);
    bool isValid() const { return valid_; }

private:
    ZcGePoint3d min_;
    ZcGePoint3d max_;
    bool valid_ = false;
};

/// Every object of the database. Objects are created by `new` (then not database-resident,
/// open for write, owned by the creator, who may delete them) and become resident through
/// appendZcDbEntity / add / addZcDbObject, after which the database owns them: they are
/// reached through their id and opened and closed, never deleted.
///
/// Setters of a resident object that is not open for write change nothing and return
/// eNotOpenForWrite (void setters then do nothing).
class ZCAD_PORT ZcDbObject : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbObject);
    ~ZcDbObject() override;

    ZcDbObjectId objectId() const;
    ZcDbObjectId ownerId() const { return ownerId_; }
    Zcad::ErrorStatus setOwnerId(ZcDbObjectId owner);
    ZcDbDatabase* database() const;
    ZcDbHandle handle() const { return handle_; }
    void getZcDbHandle(ZcDbHandle& handle) const { handle = handle_; }
    bool isDatabaseResident() const { return db_ != nullptr; }

    /// Ends one open. A read open opened twice needs two closes; an object upgraded from
    /// read to write closes with one. eInvalidOpenState when the object is not open,
    /// eNotInDatabase for an object that was never added (the creator still owns it).
    Zcad::ErrorStatus close();
    /// Erases (or with false unerases) the object; it must be open for write. Erased
    /// objects stay in the database (openable with openErased) until it is deleted.
    Zcad::ErrorStatus erase(bool erasing = true);
    bool isErased() const { return erased_; }
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return notifiers_ > 0; }
    /// A read-open object open by this one reader becomes writable (eWasOpenForRead when
    /// other readers hold it too).
    Zcad::ErrorStatus upgradeOpen();
    /// A write-open object becomes open for read.
    Zcad::ErrorStatus downgradeOpen();

    /// The extended data as a result-buffer list (group codes as restype), all
    /// applications, or only the one named (its 1001 item first). Null when there is none.
    /// The caller frees the list with zcutRelRb.
    resbuf* xData(const ZTCHAR* regappName = nullptr) const;
    /// Replaces, application by application, the extended data of every application named
    /// in the list (a 1001 item followed by its data; an application with no data items
    /// removes that application's data). eRegappIdNotFound when an application is not
    /// registered in the database (or, for an object outside any database, in the working
    /// database); eInvalidResBuf for a malformed list; eNotOpenForWrite.
    Zcad::ErrorStatus setXData(const resbuf* xdata);

    /// A copy outside any database (no id, no owner), open for write, owned by the caller.
    virtual ZcDbObject* clone() const;

    // Host side: calls fn on every id this object refers to (owner not included), so that
    // deep clones and the file codec can remap them.
    virtual void forEachReference(const std::function<void(ZcDbObjectId&)>& fn);

protected:
    ZcDbObject();
    /// Copies the object's data (extended data, unmodelled groups), not its identity.
    ZcDbObject(const ZcDbObject& other);
    ZcDbObject& operator=(const ZcDbObject&) = delete;

    /// eOk when the object may be changed (not resident, or open for write).
    Zcad::ErrorStatus checkWrite() const;
    /// The database whose tables resolve names for this object: its own, or the working
    /// database when it is not resident.
    ZcDbDatabase* lookupDatabase() const;
    /// Called when the object was added to db, before it is handed back open.
    virtual void subAddedToDatabase(ZcDbDatabase* db);
    /// Called after erase(erasing) changed the flag.
    virtual void subErased(bool erasing);

private:
    friend class host::db::DatabaseImpl;
    friend struct host::db::ObjectAccess;

    host::db::DatabaseImpl* db_ = nullptr;
    Zdesk::UInt64 handle_ = 0;
    ZcDbObjectId ownerId_;
    bool erased_ = false;
    bool writer_ = false;
    bool upgraded_ = false;
    int readers_ = 0;
    int notifiers_ = 0;
    std::vector<host::db::XDataItem> xdata_;
    std::vector<host::db::RawGroup> unmodelled_;
};

/// Objects that have a graphical form and live in a block table record.
class ZCAD_PORT ZcDbEntity : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbEntity);

    ZcDbObjectId blockId() const { return ownerId(); }

    ZcCmColor color() const { return color_; }
    Zcad::ErrorStatus setColor(const ZcCmColor& color, bool doSubents = true);
    Zdesk::UInt16 colorIndex() const { return color_.colorIndex(); }
    /// 0 ByBlock, 1..255, 256 ByLayer; other values give eInvalidInput.
    Zcad::ErrorStatus setColorIndex(Zdesk::UInt16 index, bool doSubents = true);

    /// The layer's name as a new string (free with zcutDelBuffer); null when none is set.
    ZTCHAR* layer() const;
    ZcDbObjectId layerId() const { return layerId_; }
    /// By name (looked up case-insensitively; eKeyNotFound when missing) or by id (must be
    /// a layer record: eWrongObjectType). A hidden layer needs allowHiddenLayer.
    Zcad::ErrorStatus setLayer(const ZTCHAR* name, bool doSubents = true, bool allowHiddenLayer = false);
    Zcad::ErrorStatus setLayer(ZcDbObjectId layer, bool doSubents = true, bool allowHiddenLayer = false);

    ZTCHAR* linetype() const;
    ZcDbObjectId linetypeId() const { return linetypeId_; }
    Zcad::ErrorStatus setLinetype(const ZTCHAR* name, bool doSubents = true);
    Zcad::ErrorStatus setLinetype(ZcDbObjectId linetype, bool doSubents = true);

    double linetypeScale() const { return linetypeScale_; }
    /// Must be positive (eInvalidInput otherwise).
    Zcad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);
    ZcDb::LineWeight lineWeight() const { return lineWeight_; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight weight, bool doSubents = true);
    ZcDb::Visibility visibility() const { return visibility_; }
    Zcad::ErrorStatus setVisibility(ZcDb::Visibility visibility, bool doSubents = true);

    /// Copies colour, layer, linetype, linetype scale, line weight and visibility.
    Zcad::ErrorStatus setPropertiesFrom(const ZcDbEntity* from, bool doSubents = true);

    /// Layer (CLAYER), linetype (CELTYPE), colour (CECOLOR), linetype scale (CELTSCALE) and
    /// line weight (CELWEIGHT) of db, or of the entity's / the working database.
    void setDatabaseDefaults(ZcDbDatabase* db = nullptr);

    /// Transforms the entity; eNotOpenForWrite, or eCannotScaleNonUniformly where the
    /// entity cannot follow the matrix.
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& matrix);
    /// A transformed clone outside the database (caller owns it).
    Zcad::ErrorStatus getTransformedCopy(const ZcGeMatrix3d& matrix, ZcDbEntity*& copy) const;
    /// World box of the entity; texts measured with the renderer's font metrics.
    /// eInvalidExtents for an entity without extent (empty text, no vertices).
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const;
    /// Simpler entities making up this one (new objects, caller owns them);
    /// eCannotExplodeEntity where there are none.
    Zcad::ErrorStatus explode(ZcDbVoidPtrArray& entities) const;

    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

protected:
    ZcDbEntity();
    ZcDbEntity(const ZcDbEntity& other) = default;

    virtual Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& matrix);
    virtual Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const;
    virtual Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entities) const;
    /// Called by the property setters with doSubents (attributes of a reference...).
    virtual void subSetPropertiesOfSubents(const ZcDbEntity& from);
    /// Class-specific defaults of db (text style and height of texts...).
    virtual void subSetDatabaseDefaults(ZcDbDatabase* db);
    void subAddedToDatabase(ZcDbDatabase* db) override;
    void copyEntityProperties(const ZcDbEntity& from);

private:
    friend struct host::db::ObjectAccess;

    ZcCmColor color_;
    ZcDbObjectId layerId_;
    ZcDbObjectId linetypeId_;
    double linetypeScale_ = 1.0;
    ZcDb::LineWeight lineWeight_ = ZcDb::kLnWtByLayer;
    ZcDb::Visibility visibility_ = ZcDb::kVisible;
};

/// Steps over a list of object ids (the attributes of a block reference).
class ZCAD_PORT ZcDbObjectIterator {
public:
    explicit ZcDbObjectIterator(ZcDbObjectIdArray ids);
    virtual ~ZcDbObjectIterator() = default;

    void start(bool atEnd = false);
    bool done() const;
    /// Steps forward (or backwards), skipping erased objects when skipDeleted.
    void step(bool backwards = false, bool skipDeleted = true);
    ZcDbObjectId objectId() const;
    /// The entity of the current id as a pointer, without opening it (null when it cannot
    /// be found). Open objectId() with zcdbOpenObject before using it.
    ZcDbEntity* entity() const;
    void setPosition(ZcDbObjectId id);

private:
    ZcDbObjectIdArray ids_;
    int pos_ = 0;
};

/// The drawing database.
class ZCAD_PORT ZcDbDatabase : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDatabase);

    /// Share modes of readDwgFile.
    enum OpenMode {
        kForReadAndReadShare = 1,
        kForReadAndWriteNoShare = 2,
        kForReadAndAllShare = 3,
        kTryForReadShare = 4
    };

    /// buildDefaultDrawing: the tables, model and paper space with their layouts, layer
    /// "0", linetypes ByBlock/ByLayer/Continuous, text style "Standard", APPID "ACAD" and
    /// the header variables of a metric drawing. Without it the database is empty until
    /// readDwgFile fills it. noDocument is accepted and has no effect here.
    explicit ZcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~ZcDbDatabase() override;
    ZcDbDatabase(const ZcDbDatabase&) = delete;
    ZcDbDatabase& operator=(const ZcDbDatabase&) = delete;

    Zcad::ErrorStatus getSymbolTable(ZcDbBlockTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getSymbolTable(ZcDbLayerTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getSymbolTable(ZcDbLinetypeTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getSymbolTable(ZcDbTextStyleTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getSymbolTable(ZcDbRegAppTable*& table, ZcDb::OpenMode mode);
    Zcad::ErrorStatus getBlockTable(ZcDbBlockTable*& table, ZcDb::OpenMode mode) { return getSymbolTable(table, mode); }
    Zcad::ErrorStatus getLayerTable(ZcDbLayerTable*& table, ZcDb::OpenMode mode) { return getSymbolTable(table, mode); }
    Zcad::ErrorStatus getTextStyleTable(ZcDbTextStyleTable*& table, ZcDb::OpenMode mode) { return getSymbolTable(table, mode); }
    Zcad::ErrorStatus getLinetypeTable(ZcDbLinetypeTable*& table, ZcDb::OpenMode mode) { return getSymbolTable(table, mode); }
    Zcad::ErrorStatus getRegAppTable(ZcDbRegAppTable*& table, ZcDb::OpenMode mode) { return getSymbolTable(table, mode); }
    ZcDbObjectId blockTableId() const;
    ZcDbObjectId layerTableId() const;
    ZcDbObjectId linetypeTableId() const;
    ZcDbObjectId textStyleTableId() const;
    ZcDbObjectId regAppTableId() const;
    ZcDbObjectId modelSpaceId() const;
    ZcDbObjectId paperSpaceId() const;
    ZcDbObjectId byLayerLinetype() const;
    ZcDbObjectId byBlockLinetype() const;
    ZcDbObjectId continuousLinetype() const;
    ZcDbObjectId layerZero() const;

    /// The space new entities go to: model space while TILEMODE is 1, else the block
    /// record of the current layout.
    ZcDbObjectId currentSpaceId() const;
    bool tilemode() const;
    Zcad::ErrorStatus setTilemode(bool tilemode);

    // Header variables (also reachable by name through host/db/Database.h).
    ZcGePoint3d insbase() const;
    Zcad::ErrorStatus setInsbase(const ZcGePoint3d& base);
    ZcDbObjectId clayer() const;
    Zcad::ErrorStatus setClayer(ZcDbObjectId layer);
    ZcDbObjectId textstyle() const;
    Zcad::ErrorStatus setTextstyle(ZcDbObjectId style);
    double textsize() const;
    Zcad::ErrorStatus setTextsize(double size);
    ZcDbObjectId celtype() const;
    Zcad::ErrorStatus setCeltype(ZcDbObjectId linetype);
    ZcCmColor cecolor() const;
    Zcad::ErrorStatus setCecolor(const ZcCmColor& color);
    double celtscale() const;
    Zcad::ErrorStatus setCeltscale(double scale);
    ZcDb::LineWeight celweight() const;
    Zcad::ErrorStatus setCelweight(ZcDb::LineWeight weight);
    double ltscale() const;
    Zcad::ErrorStatus setLtscale(double scale);
    double dimasz() const;
    Zcad::ErrorStatus setDimasz(double size);
    double dimscale() const;
    Zcad::ErrorStatus setDimscale(double scale);
    int insunits() const;
    Zcad::ErrorStatus setInsunits(int units);
    bool measurement() const;  ///< true: metric
    ZcDbHandle handseed() const;

    /// Reads a drawing file (the stand-in's DXF format, whatever the extension) into this
    /// database, replacing its contents. eFileNotFound, eBadDxfFile..., or eNotImplementedYet
    /// when no drawing codec is installed (host/db/Codec.h).
    Zcad::ErrorStatus readDwgFile(const ZTCHAR* fileName, OpenMode mode = kForReadAndReadShare,
                                  bool allowCPConversion = false, const wchar_t* password = nullptr);
    Zcad::ErrorStatus readDwgFile(const ZTCHAR* fileName, int shareMode,
                                  bool allowCPConversion = false, const wchar_t* password = nullptr);
    /// Writes the database; failures as readDwgFile.
    Zcad::ErrorStatus saveAs(const ZTCHAR* fileName, const ZcDb::DwgVersion version = ZcDb::kDHL_CURRENT);
    /// The file last read or saved (empty for a new drawing).
    const ZTCHAR* originalFileName() const;

    /// Deep-clones the model space of source into a new block definition named
    /// newBlockName (nested blocks, layers, linetypes, text styles and registered
    /// applications come along; records whose names the target already has are kept and
    /// used instead). The block's base point is source's INSBASE. eInvalidInput for an
    /// empty name or null source, eDuplicateRecordName when the name exists,
    /// eSelfReference when source is this database, eCannotNestBlockDefinitions for
    /// cyclic or too deep (over 128 levels) block nesting; nothing is added on failure.
    /// With preserveSourceDatabase false the source may be changed (here it is not).
    Zcad::ErrorStatus insert(ZcDbObjectId& blockId, const ZTCHAR* newBlockName,
                             ZcDbDatabase* source, bool preserveSourceDatabase = true);

    /// Removes from ids every object that something refers to (what remains may be
    /// erased safely).
    Zcad::ErrorStatus purge(ZcDbObjectIdArray& ids);
    /// The number of objects of this database that are open (strict-mode check).
    int countOpenObjects() const;

    /// Adds a non-entity object (owner is set by the caller); it comes back open for write.
    Zcad::ErrorStatus addZcDbObject(ZcDbObjectId& id, ZcDbObject* object);
    Zcad::ErrorStatus addZcDbObject(ZcDbObject* object);
    /// The id of the object with the handle (createIfNotFound is not supported: eKeyNotFound).
    Zcad::ErrorStatus getZcDbObjectId(ZcDbObjectId& id, bool createIfNotFound, const ZcDbHandle& handle);
    int approxNumObjects() const;

    // Host side.
    host::db::DatabaseImpl* impl() const { return impl_.get(); }
    Zdesk::UInt64 serial() const;

private:
    std::unique_ptr<host::db::DatabaseImpl> impl_;
};

// ---------------------------------------------------------------------------------------
// Opening objects.

/// Opens the object of id. Results: eOk; eNullObjectId; eWrongDatabase when its database
/// no longer exists; eKeyNotFound for an unknown handle; eWasErased (unless openErased);
/// eWasOpenForWrite (already open for write); eWasOpenForRead (write requested while other
/// readers hold it: one reader is upgraded instead and gets the same object back);
/// eAtMaxReaders (256 readers). obj is null on failure.
ZCAD_PORT Zcad::ErrorStatus zcdbOpenObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode,
                                           bool openErased = false);
ZCAD_PORT Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode,
                                               bool openErased = false);
/// As zcdbOpenObject; eNotAnEntity (object closed again) when it is not an entity.
ZCAD_PORT Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& entity, ZcDbObjectId id, ZcDb::OpenMode mode,
                                               bool openErased = false);

/// Opens and casts; eNotThatKindOfClass (object closed again) when it is not a T.
template <class T>
Zcad::ErrorStatus zcdbOpenObject(T*& obj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased = false) {
    obj = nullptr;
    ZcDbObject* raw = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(raw, id, mode, openErased);
    if (es != Zcad::eOk)
        return es;
    obj = T::cast(raw);
    if (obj == nullptr) {
        raw->close();
        return Zcad::eNotThatKindOfClass;
    }
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// The C interface's entity names.

/// The entity name of an id (two numbers: database serial, handle).
ZCAD_PORT Zcad::ErrorStatus zcdbGetZdsName(zds_name& name, ZcDbObjectId id);
/// The id of an entity name; eInvalidAdsName for a name of no live object.
ZCAD_PORT Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& id, const zds_name name);
struct HBITMAP__;
struct HPALETTE__;
/// The preview stored in a drawing file (its thumbnail), as a new 24-bit DIB section the
/// caller deletes with DeleteObject; the palette is null (true-colour bitmap). False when
/// the file has no preview, cannot be read or no drawing codec is installed.
ZCAD_PORT bool zcdbGetPreviewBitmapFromDwg(const ZTCHAR* fileName, HBITMAP__** bitmap, HPALETTE__** palette);

/// Registers an application name in the working database's APPID table: RTNORM when it
/// was added, RTERROR when it was there already or there is no working database.
ZCAD_PORT int zcdbRegApp(const ZTCHAR* appName);
