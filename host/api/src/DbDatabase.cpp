// The database: object storage, the registry of live databases, ids and handles, header
// variables and the default drawing.
#include <cwctype>
#include <mutex>

#include "DbInternal.h"
#include "zcutads.h"

namespace host::db {
namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<Zdesk::UInt64, DatabaseImpl*> live;
    Zdesk::UInt64 nextSerial = 1;
};

Registry& registry() {
    static Registry* r = new Registry;  // never destroyed: ids may be queried at exit
    return *r;
}

ZcDbDatabase* gWorking = nullptr;

}  // namespace

DatabaseImpl* findDatabase(Zdesk::UInt64 serial) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.live.find(serial);
    return it == r.live.end() ? nullptr : it->second;
}

ZcDbObject* findObject(ZcDbObjectId id) {
    if (id.isNull())
        return nullptr;
    DatabaseImpl* db = findDatabase(id.databaseSerial());
    return db ? db->find(id.handle().value()) : nullptr;
}

DatabaseImpl::DatabaseImpl(ZcDbDatabase* o) : owner(o) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    serial = r.nextSerial++;
    r.live[serial] = this;
}

DatabaseImpl::~DatabaseImpl() {
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> lock(r.mutex);
        r.live.erase(serial);
    }
    clear();
}

void DatabaseImpl::clear() {
    dying = true;
    std::map<Zdesk::UInt64, ZcDbObject*> doomed;
    doomed.swap(objects);
    for (auto& [handle, object] : doomed)
        delete object;
    dying = false;
    openObjects.clear();
    for (ZcDbObjectId& t : tables)
        t.setNull();
    currentLayout.setNull();
    headerVars.clear();
    names_.clear();
    handseed = 1;
    codecData.reset();
}

ZcDbObject* DatabaseImpl::find(Zdesk::UInt64 handle) const {
    auto it = objects.find(handle);
    return it == objects.end() ? nullptr : it->second;
}

ZcDbObjectId DatabaseImpl::add(ZcDbObject* object, ZcDbObjectId ownerId, bool openForWrite, Zdesk::UInt64 handle) {
    if (handle == 0)
        handle = handseed;
    if (objects.count(handle))
        return ZcDbObjectId::kNull;
    if (handle >= handseed)
        handseed = handle + 1;
    objects[handle] = object;
    object->db_ = this;
    object->handle_ = handle;
    object->ownerId_ = ownerId;
    object->readers_ = object->notifiers_ = 0;
    object->upgraded_ = false;
    object->writer_ = openForWrite;
    noteOpenState(object);
    ObjectAccess::addedToDatabase(object, owner);
    return idOf(handle);
}

void DatabaseImpl::forget(ZcDbObject* object) {
    if (dying)
        return;
    auto it = objects.find(object->handle_);
    if (it != objects.end() && it->second == object)
        objects.erase(it);
    openObjects.erase(object);
}

void DatabaseImpl::noteOpenState(const ZcDbObject* object) {
    if (ObjectAccess::isOpen(object))
        openObjects.insert(object);
    else
        openObjects.erase(object);
}

ZcDbObjectId DatabaseImpl::recordByName(Table t, const std::wstring& name, bool includeErased) const {
    return recordByName(tableId(t), name, includeErased);
}

ZcDbObjectId DatabaseImpl::recordByName(ZcDbObjectId tableId, const std::wstring& name, bool includeErased) const {
    auto tableIt = names_.find(tableId.handle().value());
    if (tableIt == names_.end() || tableId.databaseSerial() != serial)
        return ZcDbObjectId::kNull;
    auto range = tableIt->second.equal_range(foldName(name));
    ZcDbObjectId erased;
    for (auto it = range.first; it != range.second; ++it) {
        auto* record = ZcDbSymbolTableRecord::cast(find(it->second));
        if (!record || record->ownerId() != tableId || !sameName(record->getNameConst(), name))
            continue;
        if (!record->isErased())
            return record->objectId();
        if (erased.isNull())
            erased = record->objectId();
    }
    return includeErased ? erased : ZcDbObjectId::kNull;
}

void DatabaseImpl::indexRecord(ZcDbObjectId tableId, ZcDbObjectId record, const std::wstring& name) {
    names_[tableId.handle().value()].emplace(foldName(name), record.handle().value());
}

void DatabaseImpl::unindexRecord(ZcDbObjectId tableId, ZcDbObjectId record, const std::wstring& name) {
    auto tableIt = names_.find(tableId.handle().value());
    if (tableIt == names_.end())
        return;
    auto range = tableIt->second.equal_range(foldName(name));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == record.handle().value()) {
            tableIt->second.erase(it);
            return;
        }
}

ZcDbObjectId DatabaseImpl::addRecord(Table t, ZcDbSymbolTableRecord* record, const std::wstring& name) {
    auto* tbl = table(t);
    if (!tbl || name.empty() || !recordByName(t, name).isNull())
        return ZcDbObjectId::kNull;
    TableAccess::name(record) = name;
    ZcDbObjectId id = add(record, tbl->objectId(), false);
    if (id.isNull())
        return id;
    TableAccess::records(tbl).push_back(id);
    indexRecord(tbl->objectId(), id, name);
    return id;
}

bool DatabaseImpl::isProtected(ZcDbObjectId id) const {
    for (const ZcDbObjectId& t : tables)
        if (t == id)
            return true;
    if (id == modelSpace() || id == paperSpace())
        return true;
    auto* record = get<ZcDbSymbolTableRecord>(id);
    if (!record)
        return false;
    std::wstring n = record->getNameConst();
    if (record->ownerId() == tableId(Table::Layer))
        return n == L"0";
    if (record->ownerId() == tableId(Table::Linetype))
        return sameName(n, L"ByLayer") || sameName(n, L"ByBlock") || sameName(n, L"Continuous");
    if (record->ownerId() == tableId(Table::RegApp))
        return sameName(n, L"ACAD");
    return false;
}

ZcDbObjectId DatabaseImpl::modelSpace() const { return recordByName(Table::Block, ZCDB_MODEL_SPACE); }

ZcDbObjectId DatabaseImpl::paperSpace() const {
    if (auto* layout = get<ZcDbLayout>(currentLayout))
        return layout->getBlockTableRecordId();
    return recordByName(Table::Block, ZCDB_PAPER_SPACE);
}

HeaderValue DatabaseImpl::header(const std::wstring& upperName) const {
    for (const auto& [name, value] : headerVars)
        if (name == upperName)
            return value;
    return {};
}

void DatabaseImpl::setHeader(const std::wstring& upperName, HeaderValue value) {
    for (auto& [name, v] : headerVars)
        if (name == upperName) {
            v = std::move(value);
            return;
        }
    headerVars.emplace_back(upperName, std::move(value));
}

double DatabaseImpl::headerReal(const wchar_t* name, double fallback) const {
    HeaderValue v = header(name);
    if (auto* d = std::get_if<double>(&v))
        return *d;
    if (auto* i = std::get_if<Zdesk::Int32>(&v))
        return *i;
    return fallback;
}

int DatabaseImpl::headerInt(const wchar_t* name, int fallback) const {
    HeaderValue v = header(name);
    if (auto* i = std::get_if<Zdesk::Int32>(&v))
        return *i;
    if (auto* d = std::get_if<double>(&v))
        return static_cast<int>(*d);
    return fallback;
}

ZcDbObjectId DatabaseImpl::headerId(const wchar_t* name) const {
    HeaderValue v = header(name);
    if (auto* id = std::get_if<ZcDbObjectId>(&v))
        return *id;
    return ZcDbObjectId::kNull;
}

void DatabaseImpl::buildDefaultDrawing() {
    auto addTable = [&](Table t, ZcDbSymbolTable* table) {
        tables[static_cast<int>(t)] = add(table, ZcDbObjectId::kNull, false);
    };
    addTable(Table::Block, new ZcDbBlockTable);
    addTable(Table::Layer, new ZcDbLayerTable);
    addTable(Table::Linetype, new ZcDbLinetypeTable);
    addTable(Table::TextStyle, new ZcDbTextStyleTable);
    addTable(Table::RegApp, new ZcDbRegAppTable);

    addRecord(Table::RegApp, new ZcDbRegAppTableRecord, L"ACAD");
    ZcDbObjectId byBlock = addRecord(Table::Linetype, new ZcDbLinetypeTableRecord, L"ByBlock");
    ZcDbObjectId byLayer = addRecord(Table::Linetype, new ZcDbLinetypeTableRecord, L"ByLayer");
    auto* continuous = new ZcDbLinetypeTableRecord;
    continuous->setComments(L"Solid line");
    ZcDbObjectId continuousId = addRecord(Table::Linetype, continuous, L"Continuous");
    (void)byBlock;

    auto* layer0 = new ZcDbLayerTableRecord;
    layer0->setLinetypeObjectId(continuousId);
    ZcDbObjectId layer0Id = addRecord(Table::Layer, layer0, L"0");

    auto* standard = new ZcDbTextStyleTableRecord;
    standard->setFileName(L"txt");
    ZcDbObjectId standardId = addRecord(Table::TextStyle, standard, L"Standard");

    const struct {
        const wchar_t* block;
        const wchar_t* layout;
        int tab;
    } spaces[] = {{ZCDB_MODEL_SPACE, L"Model", 0}, {ZCDB_PAPER_SPACE, L"Layout1", 1}};
    for (const auto& space : spaces) {
        auto* record = new ZcDbBlockTableRecord;
        ZcDbObjectId recordId = addRecord(Table::Block, record, space.block);
        auto* layout = new ZcDbLayout;
        layout->setLayoutName(space.layout);
        layout->setTabOrder(space.tab);
        layout->setBlockTableRecordId(recordId);
        ZcDbObjectId layoutId = add(layout, ZcDbObjectId::kNull, false);
        TableAccess::setLayout(record, layoutId);
        if (space.tab == 1)
            currentLayout = layoutId;
    }

    // Header variables of a new metric drawing.
    setHeader(L"INSBASE", ZcGePoint3d::kOrigin);
    setHeader(L"EXTMIN", ZcGePoint3d(1e20, 1e20, 1e20));
    setHeader(L"EXTMAX", ZcGePoint3d(-1e20, -1e20, -1e20));
    setHeader(L"LIMMIN", ZcGePoint3d(0, 0, 0));
    setHeader(L"LIMMAX", ZcGePoint3d(420, 297, 0));
    setHeader(L"CLAYER", layer0Id);
    setHeader(L"TEXTSTYLE", standardId);
    setHeader(L"CELTYPE", byLayer);
    setHeader(L"CECOLOR", Zdesk::Int32(256));
    setHeader(L"CELTSCALE", 1.0);
    setHeader(L"CELWEIGHT", Zdesk::Int32(-1));
    setHeader(L"LTSCALE", 1.0);
    setHeader(L"TEXTSIZE", 2.5);
    setHeader(L"DIMASZ", 2.5);
    setHeader(L"DIMSCALE", 1.0);
    setHeader(L"DIMTXT", 2.5);
    setHeader(L"DIMSTYLE", std::wstring(L"ISO-25"));
    setHeader(L"INSUNITS", Zdesk::Int32(4));
    setHeader(L"MEASUREMENT", Zdesk::Int32(1));
    setHeader(L"LUNITS", Zdesk::Int32(2));
    setHeader(L"LUPREC", Zdesk::Int32(4));
    setHeader(L"TILEMODE", Zdesk::Int32(1));
    setHeader(L"PDMODE", Zdesk::Int32(0));
    setHeader(L"PDSIZE", 0.0);
    setHeader(L"FILLMODE", Zdesk::Int32(1));
    setHeader(L"MIRRTEXT", Zdesk::Int32(0));
    setHeader(L"ATTMODE", Zdesk::Int32(1));
    setHeader(L"PLINEWID", 0.0);
}

ZTCHAR* newText(const std::wstring& text) { return zcutNewBuffer(text.c_str()); }

std::wstring upper(const std::wstring& text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towupper(c));
    return out;
}

DatabaseImpl* workingImpl() { return gWorking ? gWorking->impl() : nullptr; }

DatabaseImpl* lookupImpl(const ZcDbObject* object) {
    if (DatabaseImpl* own = object ? ObjectAccess::db(object) : nullptr)
        return own;
    return workingImpl();
}

}  // namespace host::db

using host::db::DatabaseImpl;
using host::db::Table;
using host::db::HeaderValue;

// ---------------------------------------------------------------------------------------
// Handles and ids.

const ZcDbObjectId ZcDbObjectId::kNull;

ZcDbHandle::ZcDbHandle(const ZTCHAR* hex) {
    if (!hex || !*hex)
        return;
    Zdesk::UInt64 v = 0;
    int digits = 0;
    for (const ZTCHAR* p = hex; *p; ++p) {
        int d;
        if (*p >= L'0' && *p <= L'9')
            d = *p - L'0';
        else if (*p >= L'a' && *p <= L'f')
            d = *p - L'a' + 10;
        else if (*p >= L'A' && *p <= L'F')
            d = *p - L'A' + 10;
        else
            return;
        if (++digits > 16)
            return;
        v = (v << 4) | static_cast<Zdesk::UInt64>(d);
    }
    value_ = v;
}

bool ZcDbHandle::getIntoAsciiBuffer(ZTCHAR* buffer, size_t length) const {
    if (!buffer || length == 0)
        return false;
    wchar_t tmp[17];
    int n = 0;
    Zdesk::UInt64 v = value_;
    do {
        int d = static_cast<int>(v & 0xF);
        tmp[n++] = static_cast<wchar_t>(d < 10 ? L'0' + d : L'A' + d - 10);
        v >>= 4;
    } while (v);
    if (static_cast<size_t>(n) + 1 > length)
        return false;
    for (int i = 0; i < n; ++i)
        buffer[i] = tmp[n - 1 - i];
    buffer[n] = 0;
    return true;
}

bool ZcDbObjectId::isValid() const { return host::db::findObject(*this) != nullptr; }

bool ZcDbObjectId::isErased() const {
    ZcDbObject* object = host::db::findObject(*this);
    return object && object->isErased();
}

ZcDbDatabase* ZcDbObjectId::database() const {
    if (isNull())
        return nullptr;
    DatabaseImpl* db = host::db::findDatabase(database_);
    return db ? db->owner : nullptr;
}

ZcRxClass* ZcDbObjectId::objectClass() const {
    ZcDbObject* object = host::db::findObject(*this);
    return object ? object->isA() : nullptr;
}

Zdesk::IntPtr ZcDbObjectId::asOldId() const {
    return static_cast<Zdesk::IntPtr>((database_ << 48) | (handle_ & 0xFFFFFFFFFFFFull));
}

ZcDbObjectId& ZcDbObjectId::setFromOldId(Zdesk::IntPtr oldId) {
    auto v = static_cast<Zdesk::UInt64>(oldId);
    database_ = v >> 48;
    handle_ = v & 0xFFFFFFFFFFFFull;
    if (handle_ == 0)
        database_ = 0;
    return *this;
}

// ---------------------------------------------------------------------------------------
// Application services.

ZcDbDatabase* ZcDbHostApplicationServices::workingDatabase() const { return host::db::gWorking; }

void ZcDbHostApplicationServices::setWorkingDatabase(ZcDbDatabase* database) { host::db::gWorking = database; }

ZcDbHostApplicationServices* zcdbHostApplicationServices() {
    static ZcDbHostApplicationServices services;
    return &services;
}

// ---------------------------------------------------------------------------------------
// The database.

ZCRX_DEFINE_MEMBERS(ZcDbDatabase, ZcRxObject);

ZcDbDatabase::ZcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/)
    : impl_(std::make_unique<DatabaseImpl>(this)) {
    if (buildDefaultDrawing)
        impl_->buildDefaultDrawing();
}

ZcDbDatabase::~ZcDbDatabase() {
    if (host::db::gWorking == this)
        host::db::gWorking = nullptr;
}

Zdesk::UInt64 ZcDbDatabase::serial() const { return impl_->serial; }

template <class T>
static Zcad::ErrorStatus openTable(DatabaseImpl* db, Table t, T*& table, ZcDb::OpenMode mode) {
    table = nullptr;
    if (db->tableId(t).isNull())
        return Zcad::eNullObjectId;
    return zcdbOpenObject(table, db->tableId(t), mode);
}

Zcad::ErrorStatus ZcDbDatabase::getSymbolTable(ZcDbBlockTable*& t, ZcDb::OpenMode m) { return openTable(impl_.get(), Table::Block, t, m); }
Zcad::ErrorStatus ZcDbDatabase::getSymbolTable(ZcDbLayerTable*& t, ZcDb::OpenMode m) { return openTable(impl_.get(), Table::Layer, t, m); }
Zcad::ErrorStatus ZcDbDatabase::getSymbolTable(ZcDbLinetypeTable*& t, ZcDb::OpenMode m) { return openTable(impl_.get(), Table::Linetype, t, m); }
Zcad::ErrorStatus ZcDbDatabase::getSymbolTable(ZcDbTextStyleTable*& t, ZcDb::OpenMode m) { return openTable(impl_.get(), Table::TextStyle, t, m); }
Zcad::ErrorStatus ZcDbDatabase::getSymbolTable(ZcDbRegAppTable*& t, ZcDb::OpenMode m) { return openTable(impl_.get(), Table::RegApp, t, m); }

ZcDbObjectId ZcDbDatabase::blockTableId() const { return impl_->tableId(Table::Block); }
ZcDbObjectId ZcDbDatabase::layerTableId() const { return impl_->tableId(Table::Layer); }
ZcDbObjectId ZcDbDatabase::linetypeTableId() const { return impl_->tableId(Table::Linetype); }
ZcDbObjectId ZcDbDatabase::textStyleTableId() const { return impl_->tableId(Table::TextStyle); }
ZcDbObjectId ZcDbDatabase::regAppTableId() const { return impl_->tableId(Table::RegApp); }
ZcDbObjectId ZcDbDatabase::modelSpaceId() const { return impl_->modelSpace(); }
ZcDbObjectId ZcDbDatabase::paperSpaceId() const { return impl_->paperSpace(); }
ZcDbObjectId ZcDbDatabase::byLayerLinetype() const { return impl_->recordByName(Table::Linetype, L"ByLayer"); }
ZcDbObjectId ZcDbDatabase::byBlockLinetype() const { return impl_->recordByName(Table::Linetype, L"ByBlock"); }
ZcDbObjectId ZcDbDatabase::continuousLinetype() const { return impl_->recordByName(Table::Linetype, L"Continuous"); }
ZcDbObjectId ZcDbDatabase::layerZero() const { return impl_->recordByName(Table::Layer, L"0"); }

bool ZcDbDatabase::tilemode() const { return impl_->headerInt(L"TILEMODE", 1) != 0; }

Zcad::ErrorStatus ZcDbDatabase::setTilemode(bool tilemode) {
    impl_->setHeader(L"TILEMODE", Zdesk::Int32(tilemode ? 1 : 0));
    return Zcad::eOk;
}

ZcDbObjectId ZcDbDatabase::currentSpaceId() const {
    return tilemode() ? impl_->modelSpace() : impl_->paperSpace();
}

ZcGePoint3d ZcDbDatabase::insbase() const {
    HeaderValue v = impl_->header(L"INSBASE");
    if (auto* p = std::get_if<ZcGePoint3d>(&v))
        return *p;
    return ZcGePoint3d::kOrigin;
}

Zcad::ErrorStatus ZcDbDatabase::setInsbase(const ZcGePoint3d& base) {
    impl_->setHeader(L"INSBASE", base);
    return Zcad::eOk;
}

static Zcad::ErrorStatus setRecordVar(DatabaseImpl* db, const wchar_t* name, Table t, ZcDbObjectId id) {
    auto* record = db->get<ZcDbSymbolTableRecord>(id);
    if (!record || record->ownerId() != db->tableId(t) || record->isErased())
        return Zcad::eInvalidInput;
    db->setHeader(name, id);
    return Zcad::eOk;
}

ZcDbObjectId ZcDbDatabase::clayer() const {
    ZcDbObjectId id = impl_->headerId(L"CLAYER");
    return id.isNull() ? layerZero() : id;
}
Zcad::ErrorStatus ZcDbDatabase::setClayer(ZcDbObjectId layer) { return setRecordVar(impl_.get(), L"CLAYER", Table::Layer, layer); }
ZcDbObjectId ZcDbDatabase::textstyle() const {
    ZcDbObjectId id = impl_->headerId(L"TEXTSTYLE");
    return id.isNull() ? impl_->recordByName(Table::TextStyle, L"Standard") : id;
}
Zcad::ErrorStatus ZcDbDatabase::setTextstyle(ZcDbObjectId style) { return setRecordVar(impl_.get(), L"TEXTSTYLE", Table::TextStyle, style); }
ZcDbObjectId ZcDbDatabase::celtype() const {
    ZcDbObjectId id = impl_->headerId(L"CELTYPE");
    return id.isNull() ? byLayerLinetype() : id;
}
Zcad::ErrorStatus ZcDbDatabase::setCeltype(ZcDbObjectId lt) { return setRecordVar(impl_.get(), L"CELTYPE", Table::Linetype, lt); }

static Zcad::ErrorStatus setPositive(DatabaseImpl* db, const wchar_t* name, double v, bool allowZero) {
    if (!(v > 0.0 || (allowZero && v == 0.0)))
        return Zcad::eInvalidInput;
    db->setHeader(name, v);
    return Zcad::eOk;
}

double ZcDbDatabase::textsize() const { return impl_->headerReal(L"TEXTSIZE", 2.5); }
Zcad::ErrorStatus ZcDbDatabase::setTextsize(double v) { return setPositive(impl_.get(), L"TEXTSIZE", v, false); }
double ZcDbDatabase::celtscale() const { return impl_->headerReal(L"CELTSCALE", 1.0); }
Zcad::ErrorStatus ZcDbDatabase::setCeltscale(double v) { return setPositive(impl_.get(), L"CELTSCALE", v, false); }
double ZcDbDatabase::ltscale() const { return impl_->headerReal(L"LTSCALE", 1.0); }
Zcad::ErrorStatus ZcDbDatabase::setLtscale(double v) { return setPositive(impl_.get(), L"LTSCALE", v, false); }
double ZcDbDatabase::dimasz() const { return impl_->headerReal(L"DIMASZ", 2.5); }
Zcad::ErrorStatus ZcDbDatabase::setDimasz(double v) { return setPositive(impl_.get(), L"DIMASZ", v, true); }
double ZcDbDatabase::dimscale() const { return impl_->headerReal(L"DIMSCALE", 1.0); }
Zcad::ErrorStatus ZcDbDatabase::setDimscale(double v) { return setPositive(impl_.get(), L"DIMSCALE", v, true); }

ZcCmColor ZcDbDatabase::cecolor() const {
    ZcCmColor c;
    c.setColorIndex(static_cast<Zdesk::UInt16>(impl_->headerInt(L"CECOLOR", 256)));
    return c;
}

Zcad::ErrorStatus ZcDbDatabase::setCecolor(const ZcCmColor& color) {
    impl_->setHeader(L"CECOLOR", Zdesk::Int32(color.colorIndex()));
    return Zcad::eOk;
}

ZcDb::LineWeight ZcDbDatabase::celweight() const {
    return static_cast<ZcDb::LineWeight>(impl_->headerInt(L"CELWEIGHT", -1));
}

Zcad::ErrorStatus ZcDbDatabase::setCelweight(ZcDb::LineWeight w) {
    impl_->setHeader(L"CELWEIGHT", Zdesk::Int32(w));
    return Zcad::eOk;
}

int ZcDbDatabase::insunits() const { return impl_->headerInt(L"INSUNITS", 4); }

Zcad::ErrorStatus ZcDbDatabase::setInsunits(int units) {
    if (units < 0 || units > 24)
        return Zcad::eInvalidInput;
    impl_->setHeader(L"INSUNITS", Zdesk::Int32(units));
    return Zcad::eOk;
}

bool ZcDbDatabase::measurement() const { return impl_->headerInt(L"MEASUREMENT", 1) != 0; }
ZcDbHandle ZcDbDatabase::handseed() const { return impl_->handseed; }
const ZTCHAR* ZcDbDatabase::originalFileName() const { return impl_->fileName.c_str(); }
int ZcDbDatabase::countOpenObjects() const { return static_cast<int>(impl_->openObjects.size()); }
int ZcDbDatabase::approxNumObjects() const { return static_cast<int>(impl_->objects.size()); }

Zcad::ErrorStatus ZcDbDatabase::addZcDbObject(ZcDbObjectId& id, ZcDbObject* object) {
    id.setNull();
    if (!object)
        return Zcad::eNullObjectPointer;
    if (object->isDatabaseResident())
        return Zcad::eAlreadyInDb;
    id = impl_->add(object, object->ownerId(), true);
    return id.isNull() ? Zcad::eDuplicateKey : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::addZcDbObject(ZcDbObject* object) {
    ZcDbObjectId id;
    return addZcDbObject(id, object);
}

Zcad::ErrorStatus ZcDbDatabase::getZcDbObjectId(ZcDbObjectId& id, bool /*createIfNotFound*/, const ZcDbHandle& handle) {
    id.setNull();
    if (handle.isNull())
        return Zcad::eNullHandle;
    if (!impl_->find(handle.value()))
        return Zcad::eKeyNotFound;
    id = impl_->idOf(handle.value());
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Entity names and registered applications.

Zcad::ErrorStatus zcdbGetZdsName(zds_name& name, ZcDbObjectId id) {
    name[0] = name[1] = 0;
    if (id.isNull())
        return Zcad::eNullObjectId;
    name[0] = static_cast<Zdesk::LongPtr>(id.databaseSerial());
    name[1] = static_cast<Zdesk::LongPtr>(id.handle().value());
    return Zcad::eOk;
}

Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& id, const zds_name name) {
    id.setNull();
    if (!name || name[1] == 0)
        return Zcad::eInvalidAdsName;
    ZcDbObjectId candidate(static_cast<Zdesk::UInt64>(name[0]), static_cast<Zdesk::UInt64>(name[1]));
    if (!host::db::findObject(candidate))
        return Zcad::eInvalidAdsName;
    id = candidate;
    return Zcad::eOk;
}

int zcdbRegApp(const ZTCHAR* appName) {
    DatabaseImpl* db = host::db::workingImpl();
    std::wstring name = host::db::safeText(appName);
    if (!db || name.empty() || !db->recordByName(Table::RegApp, name).isNull())
        return RTERROR;
    auto* record = new ZcDbRegAppTableRecord;
    if (db->addRecord(Table::RegApp, record, name).isNull()) {
        delete record;
        return RTERROR;
    }
    return RTNORM;
}
