// Host-side access to the database: strict mode, header variables, spaces and layouts,
// the codec's object-level interface, reading and saving through the codec, and the
// session hooks.
#include <memory>

#include "DbInternal.h"
#include "host/Session.h"
#include "host/SysVars.h"
#include "host/db/Codec.h"
#include "host/db/SessionHooks.h"

using host::db::DatabaseImpl;
using host::db::HeaderValue;
using host::db::ObjectAccess;
using host::db::Table;
using host::db::TableAccess;

namespace host::db {

ZCRX_DEFINE_MEMBERS(UnknownObject, ZcDbObject);
ZCRX_DEFINE_MEMBERS(UnknownEntity, ZcDbEntity);

int openObjectCount(const ZcDbDatabase* db) { return db ? db->countOpenObjects() : 0; }

std::vector<std::wstring> openObjectReport(const ZcDbDatabase* db) {
    std::vector<std::wstring> lines;
    if (!db)
        return lines;
    for (const auto& [handle, object] : db->impl()->objects) {
        if (!ObjectAccess::isOpen(object))
            continue;
        wchar_t hex[17];
        object->handle().getIntoAsciiBuffer(hex, 17);
        lines.push_back(std::wstring(object->isA()->name()) + L" " + hex + L" " + ObjectAccess::openState(object));
    }
    return lines;
}

// ---- Header variables -------------------------------------------------------------------

static Table recordTableOf(const std::wstring& upperName, bool& isRecord) {
    isRecord = true;
    if (upperName == L"CLAYER")
        return Table::Layer;
    if (upperName == L"TEXTSTYLE")
        return Table::TextStyle;
    if (upperName == L"CELTYPE")
        return Table::Linetype;
    isRecord = false;
    return Table::Block;
}

HeaderValue headerVar(const ZcDbDatabase* db, const std::wstring& name) {
    return db ? db->impl()->header(upper(name)) : HeaderValue();
}

Zcad::ErrorStatus setHeaderVar(ZcDbDatabase* db, const std::wstring& name, HeaderValue value) {
    if (!db)
        return Zcad::eNoDatabase;
    std::wstring key = upper(name);
    if (key.empty())
        return Zcad::eInvalidInput;
    bool isRecord = false;
    Table table = recordTableOf(key, isRecord);
    if (isRecord) {
        if (auto* text = std::get_if<std::wstring>(&value)) {
            ZcDbObjectId id = db->impl()->recordByName(table, *text);
            if (id.isNull())
                return Zcad::eKeyNotFound;
            value = id;
        }
    }
    db->impl()->setHeader(key, std::move(value));
    return Zcad::eOk;
}

std::vector<std::pair<std::wstring, HeaderValue>> headerVars(const ZcDbDatabase* db) {
    return db ? db->impl()->headerVars : std::vector<std::pair<std::wstring, HeaderValue>>();
}

// ---- Spaces and layouts -----------------------------------------------------------------

Zcad::ErrorStatus setCurrentSpace(ZcDbDatabase* db, ZcDbObjectId blockRecord) {
    if (!db)
        return Zcad::eNoDatabase;
    auto* block = db->impl()->get<ZcDbBlockTableRecord>(blockRecord);
    if (!block || !block->isLayout())
        return Zcad::eWrongObjectType;
    if (blockRecord == db->modelSpaceId() && block->getNameConst() == std::wstring(ZCDB_MODEL_SPACE))
        return db->setTilemode(true);
    db->impl()->currentLayout = block->getLayoutId();
    return db->setTilemode(false);
}

Zcad::ErrorStatus setCurrentLayout(ZcDbDatabase* db, const std::wstring& layoutName) {
    if (!db)
        return Zcad::eNoDatabase;
    for (const ZcDbObjectId& id : layoutIds(db)) {
        auto* layout = db->impl()->get<ZcDbLayout>(id);
        const ZTCHAR* name = nullptr;
        layout->getLayoutName(name);
        if (sameName(name, layoutName))
            return setCurrentSpace(db, layout->getBlockTableRecordId());
    }
    return Zcad::eKeyNotFound;
}

std::vector<ZcDbObjectId> layoutIds(const ZcDbDatabase* db) {
    std::vector<std::pair<int, ZcDbObjectId>> found;
    if (db)
        for (const auto& [handle, object] : db->impl()->objects)
            if (auto* layout = ZcDbLayout::cast(object); layout && !layout->isErased())
                found.emplace_back(layout->getTabOrder(), layout->objectId());
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<ZcDbObjectId> ids;
    for (auto& [order, id] : found)
        ids.push_back(id);
    return ids;
}

Zcad::ErrorStatus addLayout(ZcDbDatabase* db, const std::wstring& name, ZcDbObjectId& layoutId) {
    layoutId.setNull();
    if (!db || !db->impl()->table(Table::Block))
        return Zcad::eNoDatabase;
    if (name.empty())
        return Zcad::eInvalidInput;
    std::vector<ZcDbObjectId> existing = layoutIds(db);
    int maxTab = 0;
    for (const ZcDbObjectId& id : existing) {
        auto* layout = db->impl()->get<ZcDbLayout>(id);
        const ZTCHAR* n = nullptr;
        layout->getLayoutName(n);
        if (sameName(n, name))
            return Zcad::eDuplicateRecordName;
        maxTab = std::max(maxTab, layout->getTabOrder());
    }
    std::wstring blockName;
    for (int i = 0;; ++i) {
        blockName = ZCDB_PAPER_SPACE + std::to_wstring(i);
        if (db->impl()->recordByName(Table::Block, blockName, true).isNull())
            break;
    }
    auto* block = new ZcDbBlockTableRecord;
    ZcDbObjectId blockId = db->impl()->addRecord(Table::Block, block, blockName);
    auto* layout = new ZcDbLayout;
    layout->setLayoutName(name.c_str());
    layout->setTabOrder(maxTab + 1);
    layout->setBlockTableRecordId(blockId);
    layoutId = db->impl()->add(layout, ZcDbObjectId::kNull, false);
    TableAccess::setLayout(block, layoutId);
    return Zcad::eOk;
}

// ---- Object-level access ----------------------------------------------------------------

std::vector<ZcDbObjectId> allObjectIds(const ZcDbDatabase* db) {
    std::vector<ZcDbObjectId> ids;
    if (db)
        for (const auto& [handle, object] : db->impl()->objects)
            ids.push_back(db->impl()->idOf(handle));
    return ids;
}

ZcDbObject* peekObject(ZcDbObjectId id) { return findObject(id); }

Zcad::ErrorStatus addObjectWithHandle(ZcDbDatabase* db, ZcDbObject* object, ZcDbHandle handle, ZcDbObjectId owner,
                                      ZcDbObjectId& id) {
    id.setNull();
    if (!db)
        return Zcad::eNoDatabase;
    if (!object)
        return Zcad::eNullObjectPointer;
    if (object->isDatabaseResident())
        return Zcad::eAlreadyInDb;
    id = db->impl()->add(object, owner, false, handle.value());
    return id.isNull() ? Zcad::eDuplicateKey : Zcad::eOk;
}

Zcad::ErrorStatus linkEntity(ZcDbObjectId owner, ZcDbObjectId entity) {
    ZcDbObject* o = findObject(owner);
    auto* e = peek<ZcDbEntity>(entity);
    if (!o || !e)
        return Zcad::eKeyNotFound;
    if (owner.databaseSerial() != entity.databaseSerial())
        return Zcad::eWrongDatabase;
    ObjectAccess::setOwner(e, owner);
    if (auto* block = ZcDbBlockTableRecord::cast(o)) {
        TableAccess::entities(block).push_back(entity);
        return Zcad::eOk;
    }
    auto* ref = ZcDbBlockReference::cast(o);
    if (ref && ZcDbAttribute::cast(e)) {
        ObjectAccess::attributes(ref).push_back(entity);
        return Zcad::eOk;
    }
    return Zcad::eWrongObjectType;
}

Zcad::ErrorStatus linkRecord(ZcDbObjectId tableId, ZcDbObjectId recordId) {
    auto* table = peek<ZcDbSymbolTable>(tableId);
    auto* record = peek<ZcDbSymbolTableRecord>(recordId);
    if (!table || !record)
        return Zcad::eKeyNotFound;
    DatabaseImpl* db = ObjectAccess::db(table);
    if (db != ObjectAccess::db(record))
        return Zcad::eWrongDatabase;
    ObjectAccess::setOwner(record, tableId);
    TableAccess::records(table).push_back(recordId);
    db->indexRecord(tableId, recordId, record->getNameConst());
    return Zcad::eOk;
}

Zcad::ErrorStatus setTableId(ZcDbDatabase* db, Table table, ZcDbObjectId id) {
    if (!db)
        return Zcad::eNoDatabase;
    if (!db->impl()->get<ZcDbSymbolTable>(id))
        return Zcad::eWrongObjectType;
    db->impl()->tables[static_cast<int>(table)] = id;
    return Zcad::eOk;
}

ZcDbHandle handseed(const ZcDbDatabase* db) { return db ? db->impl()->handseed : 0; }

void setHandseed(ZcDbDatabase* db, ZcDbHandle seed) {
    if (!db)
        return;
    DatabaseImpl* impl = db->impl();
    Zdesk::UInt64 minimum = impl->objects.empty() ? 1 : impl->objects.rbegin()->first + 1;
    impl->handseed = std::max(minimum, seed.value());
}

void clearDatabase(ZcDbDatabase* db) {
    if (db)
        db->impl()->clear();
}

void setOriginalFileName(ZcDbDatabase* db, const std::wstring& path) {
    if (db)
        db->impl()->fileName = path;
}

std::vector<RawGroup>& unmodelledGroups(ZcDbObject* o) { return ObjectAccess::raw(o); }
const std::vector<RawGroup>& unmodelledGroups(const ZcDbObject* o) { return ObjectAccess::raw(const_cast<ZcDbObject*>(o)); }
std::vector<XDataItem>& xdataItems(ZcDbObject* o) { return ObjectAccess::xdata(o); }
const std::vector<XDataItem>& xdataItems(const ZcDbObject* o) { return ObjectAccess::xdata(const_cast<ZcDbObject*>(o)); }

void setCodecData(ZcDbDatabase* db, std::shared_ptr<void> data) {
    if (db)
        db->impl()->codecData = std::move(data);
}

std::shared_ptr<void> codecData(const ZcDbDatabase* db) { return db ? db->impl()->codecData : nullptr; }

// ---- Codec ------------------------------------------------------------------------------

static DrawingCodec& codecSlot() {
    static DrawingCodec* codec = new DrawingCodec;
    return *codec;
}

void setDrawingCodec(DrawingCodec codec) { codecSlot() = std::move(codec); }
const DrawingCodec& drawingCodec() { return codecSlot(); }

}  // namespace host::db

Zcad::ErrorStatus ZcDbDatabase::readDwgFile(const ZTCHAR* fileName, OpenMode, bool, const wchar_t*) {
    if (!fileName || !*fileName)
        return Zcad::eInvalidInput;
    const host::db::DrawingCodec& codec = host::db::drawingCodec();
    if (!codec.read)
        return Zcad::eNotImplementedYet;
    impl_->clear();
    Zcad::ErrorStatus es = codec.read(*this, fileName);
    if (es != Zcad::eOk) {
        impl_->clear();
        return es;
    }
    impl_->fileName = fileName;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::readDwgFile(const ZTCHAR* fileName, int shareMode, bool allowCPConversion,
                                            const wchar_t* password) {
    return readDwgFile(fileName, static_cast<OpenMode>(shareMode), allowCPConversion, password);
}

Zcad::ErrorStatus ZcDbDatabase::saveAs(const ZTCHAR* fileName, const ZcDb::DwgVersion) {
    if (!fileName || !*fileName)
        return Zcad::eInvalidInput;
    const host::db::DrawingCodec& codec = host::db::drawingCodec();
    if (!codec.write)
        return Zcad::eNotImplementedYet;
    Zcad::ErrorStatus es = codec.write(*this, fileName);
    if (es == Zcad::eOk)
        impl_->fileName = fileName;
    return es;
}

// ---------------------------------------------------------------------------------------
// System variables kept in the drawing's header, and the session hooks.

namespace host::db {
namespace {

using Value = host::SysVars::Value;
using Type = host::SysVars::Type;

std::wstring colorText(int index) {
    if (index == 256)
        return L"BYLAYER";
    if (index == 0)
        return L"BYBLOCK";
    return std::to_wstring(index);
}

bool colorIndex(const std::wstring& text, int& index) {
    if (sameName(text, L"BYLAYER")) {
        index = 256;
        return true;
    }
    if (sameName(text, L"BYBLOCK")) {
        index = 0;
        return true;
    }
    try {
        size_t used = 0;
        int v = std::stoi(text, &used);
        if (used != text.size() || v < 1 || v > 255)
            return false;
        index = v;
        return true;
    } catch (...) {
        return false;
    }
}

std::optional<Value> toValue(const std::wstring& name, const HeaderValue& v, Type type) {
    Value out;
    out.type = type;
    if (std::holds_alternative<std::monostate>(v))
        return std::nullopt;
    if (auto* id = std::get_if<ZcDbObjectId>(&v)) {
        auto* record = peek<ZcDbSymbolTableRecord>(*id);
        if (!record)
            return std::nullopt;
        out.stringValue = record->getNameConst();
        return type == Type::String ? std::optional<Value>(out) : std::nullopt;
    }
    switch (type) {
    case Type::Short:
        if (auto* i = std::get_if<Zdesk::Int32>(&v)) out.shortValue = static_cast<short>(*i);
        else if (auto* d = std::get_if<double>(&v)) out.shortValue = static_cast<short>(*d);
        else return std::nullopt;
        return out;
    case Type::Real:
        if (auto* d = std::get_if<double>(&v)) out.realValue = *d;
        else if (auto* i = std::get_if<Zdesk::Int32>(&v)) out.realValue = *i;
        else return std::nullopt;
        return out;
    case Type::String:
        if (name == L"CECOLOR") {
            if (auto* i = std::get_if<Zdesk::Int32>(&v)) {
                out.stringValue = colorText(*i);
                return out;
            }
        }
        if (auto* s = std::get_if<std::wstring>(&v)) {
            out.stringValue = *s;
            return out;
        }
        return std::nullopt;
    case Type::Point2d:
    case Type::Point3d:
        if (auto* p = std::get_if<ZcGePoint3d>(&v)) {
            out.point[0] = p->x;
            out.point[1] = p->y;
            out.point[2] = type == Type::Point3d ? p->z : 0.0;
            return out;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool fromValue(ZcDbDatabase* db, const std::wstring& name, const Value& value) {
    HeaderValue v;
    switch (value.type) {
    case Type::Short: v = Zdesk::Int32(value.shortValue); break;
    case Type::Real: v = value.realValue; break;
    case Type::String:
        if (name == L"CECOLOR") {
            int index = 0;
            if (!colorIndex(value.stringValue, index))
                return false;
            v = Zdesk::Int32(index);
        } else {
            v = value.stringValue;
        }
        break;
    case Type::Point2d:
    case Type::Point3d: v = ZcGePoint3d(value.point[0], value.point[1], value.type == Type::Point3d ? value.point[2] : 0.0); break;
    }
    return setHeaderVar(db, name, v) == Zcad::eOk;
}

const wchar_t* const kHeaderVariables[] = {
    L"ATTMODE", L"CECOLOR", L"CELTSCALE", L"CELTYPE", L"CELWEIGHT", L"CLAYER", L"DIMASZ", L"DIMSCALE",
    L"DIMTXT", L"EXTMAX", L"EXTMIN", L"INSBASE", L"INSUNITS", L"LIMMAX", L"LIMMIN", L"LTSCALE",
    L"LUNITS", L"LUPREC", L"MEASUREMENT", L"MIRRTEXT", L"PDMODE", L"PDSIZE", L"PLINEWID", L"TEXTSIZE",
    L"TEXTSTYLE", L"TILEMODE"};

std::unique_ptr<ZcDbDatabase>& ownedDrawing() {
    static auto* drawing = new std::unique_ptr<ZcDbDatabase>;
    return *drawing;
}

void replaceDrawing(std::unique_ptr<ZcDbDatabase> db) {
    zcdbHostApplicationServices()->setWorkingDatabase(db.get());
    ownedDrawing() = std::move(db);
}

}  // namespace

void bindHeaderVariables() {
    host::SysVars& vars = host::sysVars();
    for (const wchar_t* name : kHeaderVariables) {
        std::wstring n = name;
        std::optional<Value> current = vars.get(n);
        if (!current)
            continue;
        Type type = current->type;
        host::SysVars::Binding binding;
        binding.get = [n, type]() -> std::optional<Value> {
            ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
            if (!db)
                return std::nullopt;
            return toValue(n, headerVar(db, n), type);
        };
        binding.set = [n](const Value& value) {
            ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
            if (!db)
                return true;  // the table keeps it
            return fromValue(db, n, value);
        };
        vars.bind(n, std::move(binding));
    }
    // CTAB: the current layout's name ("Model" while TILEMODE is 1).
    host::SysVars::Binding ctab;
    ctab.get = []() -> std::optional<Value> {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        if (!db)
            return std::nullopt;
        Value v;
        v.type = Type::String;
        v.stringValue = L"Model";
        if (!db->tilemode())
            if (auto* layout = db->impl()->get<ZcDbLayout>(db->impl()->currentLayout)) {
                const ZTCHAR* name = nullptr;
                layout->getLayoutName(name);
                v.stringValue = name;
            }
        return v;
    };
    ctab.set = [](const Value& value) {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        return !db || setCurrentLayout(db, value.stringValue) == Zcad::eOk;
    };
    vars.bind(L"CTAB", std::move(ctab));
}

ZcDbDatabase* sessionDrawing() { return ownedDrawing().get(); }

void installDrawingHooks(host::Session& session) {
    bindHeaderVariables();
    session.setOpenObjectCounter([] {
        return openObjectCount(zcdbHostApplicationServices()->workingDatabase());
    });
    session.setNewDrawingHandler([] { replaceDrawing(std::make_unique<ZcDbDatabase>(true, false)); });
    session.setFileHandler(host::Session::FileAction::Open, [](const std::wstring& path) {
        auto db = std::make_unique<ZcDbDatabase>(false, true);
        if (db->readDwgFile(path.c_str()) != Zcad::eOk)
            return false;
        replaceDrawing(std::move(db));
        return true;
    });
    session.setFileHandler(host::Session::FileAction::Save, [](const std::wstring& path) {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        return db && db->saveAs(path.c_str()) == Zcad::eOk;
    });
    session.setLayoutHandler([](const std::wstring& layout) {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        if (!db)
            return false;
        if (layout.empty())
            return db->setTilemode(true) == Zcad::eOk;
        return setCurrentLayout(db, layout) == Zcad::eOk;
    });
}

}  // namespace host::db
