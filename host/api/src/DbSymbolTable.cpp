// Symbol tables, their records and iterators; layers, linetypes, text styles, registered
// applications and layouts; how names compare.
#include <cwchar>
#include <cwctype>

#include "DbInternal.h"

using host::db::DatabaseImpl;
using host::db::ObjectAccess;
using host::db::TableAccess;

namespace host::db {

/// Simple case folding: ASCII, Latin-1, Latin Extended-A (pairs), Greek and Cyrillic.
static wchar_t foldChar(wchar_t c) {
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs upper/lower; in 0x139..0x148 and 0x179..0x17E the upper case is odd.
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x178)
            return 0xFF;  // Y with diaeresis: its small letter is in Latin-1
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (oddUpper)
            return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
        return (c & 1) ? c : static_cast<wchar_t>(c + 1);
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<wchar_t>(c + 80);
    return c;
}

std::wstring foldName(const std::wstring& name) {
    std::wstring out(name);
    for (wchar_t& c : out)
        c = foldChar(c);
    return out;
}

bool sameName(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldChar(a[i]) != foldChar(b[i]))
            return false;
    return true;
}

}  // namespace host::db

// ---------------------------------------------------------------------------------------
// Records.

ZCRX_DEFINE_MEMBERS(ZcDbSymbolTableRecord, ZcDbObject);

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(ZTCHAR*& name) const {
    name = host::db::newText(name_);
    return name ? Zcad::eOk : Zcad::eOutOfMemory;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(const ZTCHAR*& name) const {
    name = name_.c_str();
    return Zcad::eOk;
}

static bool validSymbolName(const std::wstring& name) {
    if (name.empty() || name.size() > 255)
        return false;
    for (wchar_t c : name)
        if (c < 0x20 || std::wcschr(L"<>/\\\":;?*|,=`", c))
            return false;
    return true;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::setName(const ZTCHAR* name) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    std::wstring n = host::db::safeText(name);
    // Block names of the standard spaces and anonymous blocks start with '*'.
    bool special = !n.empty() && n[0] == L'*' && ZcDbBlockTableRecord::cast(this) &&
                   validSymbolName(n.substr(1) + L"x");
    if (!special && !validSymbolName(n))
        return Zcad::eInvalidInput;
    DatabaseImpl* db = ObjectAccess::db(this);
    if (db && !ownerId().isNull()) {
        ZcDbObjectId other = db->recordByName(ownerId(), n);
        if (!other.isNull() && other != objectId())
            return Zcad::eDuplicateRecordName;
        db->unindexRecord(ownerId(), objectId(), name_);
        db->indexRecord(ownerId(), objectId(), n);
    }
    name_ = n;
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Tables.

ZCRX_DEFINE_MEMBERS(ZcDbSymbolTable, ZcDbObject);

ZcRxClass* ZcDbSymbolTable::recordClass() const { return ZcDbSymbolTableRecord::desc(); }

bool ZcDbSymbolTable::has(const ZTCHAR* name) const {
    DatabaseImpl* db = ObjectAccess::db(this);
    return db && name && !db->recordByName(objectId(), name).isNull();
}

bool ZcDbSymbolTable::has(ZcDbObjectId id) const {
    auto* record = host::db::peek<ZcDbSymbolTableRecord>(id);
    return record && !record->isErased() && record->ownerId() == objectId() && !objectId().isNull();
}

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const ZTCHAR* name, ZcDbObjectId& id, bool getErased) const {
    id.setNull();
    DatabaseImpl* db = ObjectAccess::db(this);
    if (!db)
        return Zcad::eNoDatabase;
    if (!name)
        return Zcad::eInvalidInput;
    id = db->recordByName(objectId(), name, getErased);
    return id.isNull() ? Zcad::eKeyNotFound : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const ZTCHAR* name, ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                                         bool openErased) const {
    record = nullptr;
    ZcDbObjectId id;
    Zcad::ErrorStatus es = getAt(name, id, openErased);
    if (es != Zcad::eOk)
        return es;
    return zcdbOpenObject(record, id, mode, openErased);
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbObjectId& id, ZcDbSymbolTableRecord* record) {
    id.setNull();
    if (!record)
        return Zcad::eNullObjectPointer;
    if (record->isDatabaseResident())
        return Zcad::eAlreadyInDb;
    DatabaseImpl* db = ObjectAccess::db(this);
    if (!db)
        return Zcad::eNoDatabase;
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!record->isKindOf(recordClass()))
        return Zcad::eWrongObjectType;
    std::wstring name = record->getNameConst();
    if (name.empty())
        return Zcad::eInvalidInput;
    if (!db->recordByName(objectId(), name).isNull())
        return Zcad::eDuplicateRecordName;
    id = db->add(record, objectId(), true);
    if (id.isNull())
        return Zcad::eDuplicateKey;
    records_.push_back(id);
    db->indexRecord(objectId(), id, name);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbSymbolTableRecord* record) {
    ZcDbObjectId id;
    return add(id, record);
}

Zcad::ErrorStatus ZcDbSymbolTable::newIterator(ZcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const {
    iterator = new ZcDbSymbolTableIterator(objectId(), atBeginning, skipDeleted);
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Iterators.

namespace host::db {

bool IdListCursor::skippable(int index) const {
    const auto* ids = listOf_(owner_);
    return ids && index >= 0 && index < static_cast<int>(ids->size()) && (*ids)[index].isErased();
}

void IdListCursor::start(bool atBeginning, bool skipDeleted) {
    const auto* ids = listOf_(owner_);
    int n = ids ? static_cast<int>(ids->size()) : 0;
    pos_ = atBeginning ? 0 : n - 1;
    while (skipDeleted && skippable(pos_))
        pos_ += atBeginning ? 1 : -1;
}

bool IdListCursor::done() const {
    const auto* ids = listOf_(owner_);
    return !ids || pos_ < 0 || pos_ >= static_cast<int>(ids->size());
}

void IdListCursor::step(bool forward, bool skipDeleted) {
    do {
        pos_ += forward ? 1 : -1;
    } while (skipDeleted && skippable(pos_));
}

Zcad::ErrorStatus IdListCursor::current(ZcDbObjectId& id) const {
    id.setNull();
    if (done())
        return Zcad::eInvalidIndex;
    id = (*listOf_(owner_))[pos_];
    return Zcad::eOk;
}

Zcad::ErrorStatus IdListCursor::seek(ZcDbObjectId id) {
    const auto* ids = listOf_(owner_);
    if (!ids)
        return Zcad::eKeyNotFound;
    for (size_t i = 0; i < ids->size(); ++i)
        if ((*ids)[i] == id) {
            pos_ = static_cast<int>(i);
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

}  // namespace host::db

namespace {

const std::vector<ZcDbObjectId>* recordsOf(ZcDbObjectId table) {
    auto* t = host::db::peek<ZcDbSymbolTable>(table);
    return t ? &t->recordIds() : nullptr;
}

}  // namespace

ZcDbSymbolTableIterator::ZcDbSymbolTableIterator(ZcDbObjectId table, bool atBeginning, bool skipDeleted)
    : cursor_(table, recordsOf) {
    start(atBeginning, skipDeleted);
}

Zcad::ErrorStatus ZcDbSymbolTableIterator::getRecord(ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                                                     bool openErased) const {
    record = nullptr;
    ZcDbObjectId id;
    if (Zcad::ErrorStatus es = getRecordId(id); es != Zcad::eOk)
        return es;
    return zcdbOpenObject(record, id, mode, openErased);
}


// ---------------------------------------------------------------------------------------
// Typed tables and iterators.

#define TYPED_TABLE(TABLE, RECORD, ITERATOR)                                                           \
    ZCRX_DEFINE_MEMBERS(TABLE, ZcDbSymbolTable);                                                       \
    ZCRX_DEFINE_MEMBERS(RECORD, ZcDbSymbolTableRecord);                                                \
    ZcRxClass* TABLE::recordClass() const { return RECORD::desc(); }                                   \
    Zcad::ErrorStatus TABLE::getAt(const ZTCHAR* name, RECORD*& record, ZcDb::OpenMode mode,            \
                                   bool openErased) const {                                            \
        record = nullptr;                                                                              \
        ZcDbObjectId id;                                                                               \
        Zcad::ErrorStatus es = ZcDbSymbolTable::getAt(name, id, openErased);                           \
        return es != Zcad::eOk ? es : zcdbOpenObject(record, id, mode, openErased);                    \
    }                                                                                                  \
    Zcad::ErrorStatus TABLE::newIterator(ITERATOR*& iterator, bool atBeginning, bool skipDeleted) const { \
        iterator = new ITERATOR(objectId(), atBeginning, skipDeleted);                                 \
        return Zcad::eOk;                                                                              \
    }                                                                                                  \
    Zcad::ErrorStatus ITERATOR::getRecord(RECORD*& record, ZcDb::OpenMode mode, bool openErased) const { \
        record = nullptr;                                                                              \
        ZcDbObjectId id;                                                                               \
        Zcad::ErrorStatus es = getRecordId(id);                                                        \
        return es != Zcad::eOk ? es : zcdbOpenObject(record, id, mode, openErased);                    \
    }

TYPED_TABLE(ZcDbBlockTable, ZcDbBlockTableRecord, ZcDbBlockTableIterator)
TYPED_TABLE(ZcDbLayerTable, ZcDbLayerTableRecord, ZcDbLayerTableIterator)
TYPED_TABLE(ZcDbLinetypeTable, ZcDbLinetypeTableRecord, ZcDbLinetypeTableIterator)
TYPED_TABLE(ZcDbTextStyleTable, ZcDbTextStyleTableRecord, ZcDbTextStyleTableIterator)
TYPED_TABLE(ZcDbRegAppTable, ZcDbRegAppTableRecord, ZcDbRegAppTableIterator)

// ---------------------------------------------------------------------------------------
// Layers.

#define SETTER(CLASS, NAME, TYPE, FIELD)                       \
    Zcad::ErrorStatus CLASS::NAME(TYPE value) {                \
        if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk) \
            return es;                                         \
        FIELD = value;                                         \
        return Zcad::eOk;                                      \
    }

ZcDbLayerTableRecord::ZcDbLayerTableRecord() { color_.setColorIndex(7); }

Zcad::ErrorStatus ZcDbLayerTableRecord::setColor(const ZcCmColor& color) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (color.isByLayer() || color.isByBlock())
        return Zcad::eInvalidInput;
    color_ = color;
    return Zcad::eOk;
}
SETTER(ZcDbLayerTableRecord, setIsOff, bool, off_)
SETTER(ZcDbLayerTableRecord, setIsFrozen, bool, frozen_)
SETTER(ZcDbLayerTableRecord, setIsLocked, bool, locked_)
SETTER(ZcDbLayerTableRecord, setIsHidden, bool, hidden_)
SETTER(ZcDbLayerTableRecord, setIsPlottable, bool, plottable_)
SETTER(ZcDbLayerTableRecord, setLinetypeObjectId, ZcDbObjectId, linetype_)
SETTER(ZcDbLayerTableRecord, setLineWeight, ZcDb::LineWeight, lineWeight_)

void ZcDbLayerTableRecord::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) { fn(linetype_); }

// ---------------------------------------------------------------------------------------
// Linetypes.

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setComments(const ZTCHAR* text) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    comments_ = host::db::safeText(text);
    return Zcad::eOk;
}

double ZcDbLinetypeTableRecord::dashLengthAt(int index) const {
    return index >= 0 && index < numDashes() ? dashes_[static_cast<size_t>(index)] : 0.0;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setNumDashes(int count) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (count < 0 || count > 12)
        return Zcad::eInvalidInput;
    dashes_.resize(static_cast<size_t>(count), 0.0);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::setDashLengthAt(int index, double length) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (index < 0 || index >= numDashes())
        return Zcad::eInvalidIndex;
    dashes_[static_cast<size_t>(index)] = length;
    return Zcad::eOk;
}

double ZcDbLinetypeTableRecord::patternLength() const {
    if (patternLength_ > 0.0)
        return patternLength_;
    double sum = 0.0;
    for (double d : dashes_)
        sum += d < 0 ? -d : d;
    return sum;
}
SETTER(ZcDbLinetypeTableRecord, setPatternLength, double, patternLength_)

// ---------------------------------------------------------------------------------------
// Text styles.

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setTextSize(double size) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!(size >= 0.0))
        return Zcad::eInvalidInput;
    textSize_ = size;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setXScale(double scale) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!(scale > 0.0))
        return Zcad::eInvalidInput;
    xScale_ = scale;
    return Zcad::eOk;
}
SETTER(ZcDbTextStyleTableRecord, setObliquingAngle, double, oblique_)
SETTER(ZcDbTextStyleTableRecord, setPriorSize, double, priorSize_)
SETTER(ZcDbTextStyleTableRecord, setFlagBits, Zdesk::UInt8, generation_)

Zcad::ErrorStatus ZcDbTextStyleTableRecord::fileName(const ZTCHAR*& name) const {
    name = fileName_.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setFileName(const ZTCHAR* name) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    fileName_ = host::db::safeText(name);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::bigFontFileName(const ZTCHAR*& name) const {
    name = bigFontFileName_.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::setBigFontFileName(const ZTCHAR* name) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    bigFontFileName_ = host::db::safeText(name);
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Layouts.

ZCRX_DEFINE_MEMBERS(ZcDbLayout, ZcDbObject);

Zcad::ErrorStatus ZcDbLayout::getLayoutName(const ZTCHAR*& name) const {
    name = name_.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLayout::setLayoutName(const ZTCHAR* name) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (!name || !*name)
        return Zcad::eInvalidInput;
    name_ = name;
    return Zcad::eOk;
}

SETTER(ZcDbLayout, setTabOrder, int, tabOrder_)
SETTER(ZcDbLayout, setBlockTableRecordId, ZcDbObjectId, block_)

void ZcDbLayout::forEachReference(const std::function<void(ZcDbObjectId&)>& fn) { fn(block_); }
