// The drawing database's implementation, shared by the Db*.cpp sources of zcapi.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/db/Database.h"
#include "zcdbheaders.h"

namespace host::db {

constexpr int kMaxReaders = 256;
constexpr int kTableCount = 5;

/// What the database knows of itself besides its objects.
class DatabaseImpl {
public:
    explicit DatabaseImpl(ZcDbDatabase* owner);
    ~DatabaseImpl();
    DatabaseImpl(const DatabaseImpl&) = delete;
    DatabaseImpl& operator=(const DatabaseImpl&) = delete;

    ZcDbObjectId idOf(Zdesk::UInt64 handle) const { return {serial, handle}; }
    ZcDbObject* find(Zdesk::UInt64 handle) const;
    /// The object of an id of this database (null for other databases' ids).
    ZcDbObject* find(ZcDbObjectId id) const {
        return id.databaseSerial() == serial ? find(id.handle().value()) : nullptr;
    }
    template <class T>
    T* get(ZcDbObjectId id) const { return T::cast(find(id)); }

    /// Makes object resident under handle (0: the next free one) with the owner; open
    /// for write when openForWrite, else closed. Fails (null id) for a taken handle.
    ZcDbObjectId add(ZcDbObject* object, ZcDbObjectId owner, bool openForWrite, Zdesk::UInt64 handle = 0);
    /// Called by a resident object's destructor.
    void forget(ZcDbObject* object);
    /// Deletes every object and forgets every setting.
    void clear();
    /// Keeps openObjects in step with the object's open state.
    void noteOpenState(const ZcDbObject* object);

    ZcDbObjectId tableId(Table table) const { return tables[static_cast<int>(table)]; }
    ZcDbSymbolTable* table(Table table) const { return get<ZcDbSymbolTable>(tableId(table)); }
    /// The record of that name in the table, not erased (null id when none).
    ZcDbObjectId recordByName(Table table, const std::wstring& name, bool includeErased = false) const;
    ZcDbObjectId recordByName(ZcDbObjectId tableId, const std::wstring& name, bool includeErased = false) const;
    void indexRecord(ZcDbObjectId table, ZcDbObjectId record, const std::wstring& name);
    void unindexRecord(ZcDbObjectId table, ZcDbObjectId record, const std::wstring& name);
    /// Appends a new record to a table directly (no open protocol); null id on a clash.
    ZcDbObjectId addRecord(Table table, ZcDbSymbolTableRecord* record, const std::wstring& name);
    bool isProtected(ZcDbObjectId id) const;

    ZcDbObjectId modelSpace() const;
    ZcDbObjectId paperSpace() const;
    void buildDefaultDrawing();

    HeaderValue header(const std::wstring& upperName) const;
    void setHeader(const std::wstring& upperName, HeaderValue value);
    double headerReal(const wchar_t* name, double fallback) const;
    int headerInt(const wchar_t* name, int fallback) const;
    ZcDbObjectId headerId(const wchar_t* name) const;

    ZcDbDatabase* owner;
    Zdesk::UInt64 serial;
    Zdesk::UInt64 handseed = 1;
    std::map<Zdesk::UInt64, ZcDbObject*> objects;
    std::unordered_set<const ZcDbObject*> openObjects;
    ZcDbObjectId tables[kTableCount];
    ZcDbObjectId currentLayout;  // the layout object of the current paper space
    std::vector<std::pair<std::wstring, HeaderValue>> headerVars;
    std::wstring fileName;
    std::shared_ptr<void> codecData;
    bool dying = false;

private:
    // table handle -> folded name -> record handles
    std::unordered_map<Zdesk::UInt64, std::unordered_multimap<std::wstring, Zdesk::UInt64>> names_;
};

/// The live database of a serial number, or null.
DatabaseImpl* findDatabase(Zdesk::UInt64 serial);
/// The object of an id, or null when its database is gone or it does not exist.
ZcDbObject* findObject(ZcDbObjectId id);
template <class T>
T* peek(ZcDbObjectId id) { return T::cast(findObject(id)); }

/// Private members of objects for the database's own code.
struct ObjectAccess {
    static DatabaseImpl* db(const ZcDbObject* o) { return o->db_; }
    static void setOwner(ZcDbObject* o, ZcDbObjectId owner) { o->ownerId_ = owner; }
    static void setErased(ZcDbObject* o, bool erased) { o->erased_ = erased; }
    static void addedToDatabase(ZcDbObject* o, ZcDbDatabase* db) { o->subAddedToDatabase(db); }
    static std::vector<XDataItem>& xdata(ZcDbObject* o) { return o->xdata_; }
    static std::vector<RawGroup>& raw(ZcDbObject* o) { return o->unmodelled_; }
    static bool isOpen(const ZcDbObject* o) { return o->writer_ || o->readers_ > 0 || o->notifiers_ > 0; }
    static std::wstring openState(const ZcDbObject* o);
    static Zcad::ErrorStatus open(ZcDbObject* o, ZcDb::OpenMode mode);
    static void forceClose(ZcDbObject* o) { o->writer_ = o->upgraded_ = false; o->readers_ = o->notifiers_ = 0; }
    static Zcad::ErrorStatus transform(ZcDbEntity* e, const ZcGeMatrix3d& m) { return e->subTransformBy(m); }
    static Zcad::ErrorStatus extents(const ZcDbEntity* e, ZcDbExtents& x) { return e->subGetGeomExtents(x); }
    static std::vector<ZcDbObjectId>& attributes(ZcDbBlockReference* r) { return r->attributes_; }
    static void copyProperties(ZcDbEntity* to, const ZcDbEntity& from) { to->copyEntityProperties(from); }
    static void setEntityLayer(ZcDbEntity* e, ZcDbObjectId id) { e->layerId_ = id; }
    static void setEntityLinetype(ZcDbEntity* e, ZcDbObjectId id) { e->linetypeId_ = id; }
};

struct TableAccess {
    static std::vector<ZcDbObjectId>& records(ZcDbSymbolTable* t) { return t->records_; }
    static std::wstring& name(ZcDbSymbolTableRecord* r) { return r->name_; }
    static std::vector<ZcDbObjectId>& entities(ZcDbBlockTableRecord* b) { return b->entities_; }
    static void setLayout(ZcDbBlockTableRecord* b, ZcDbObjectId layout) { b->layoutId_ = layout; }
};

/// A host-allocated copy of a text (free with zcutDelBuffer).
ZTCHAR* newText(const std::wstring& text);
inline std::wstring safeText(const ZTCHAR* text) { return text ? std::wstring(text) : std::wstring(); }
std::wstring upper(const std::wstring& text);

/// The database whose tables serve an object: its own, else the working database.
DatabaseImpl* lookupImpl(const ZcDbObject* object);
DatabaseImpl* workingImpl();

/// Makes the standard arrow block for a dimension-arrow name ("Dot" -> "_Dot") in db if
/// missing; the block's id, or null when the name is neither a block nor a standard arrow.
ZcDbObjectId ensureArrowBlock(DatabaseImpl* db, const std::wstring& name);

/// Width of one line of text at height 1 and width factor 1, and the text's ink box in
/// text coordinates (baseline-left at the origin) for the given properties.
struct TextBox {
    double advance = 0.0;
    double descent = 0.0;  // below the baseline, positive
    double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
    bool valid = false;
};
TextBox measureLine(const std::wstring& text, double height, double widthFactor);

/// What a text entering db takes from it: the current text style unless its own belongs to
/// db, and, without a height of its own, the style's fixed height or else TEXTSIZE.
void adoptTextDefaults(ZcDbDatabase* db, ZcDbObjectId& style, double& height);

}  // namespace host::db
