// Database objects: identity, the open/close protocol, erasing and extended data.
#include <cstring>

#include "DbInternal.h"
#include "zcutads.h"

using host::db::DatabaseImpl;
using host::db::ObjectAccess;
using host::db::XDataItem;

ZCRX_DEFINE_MEMBERS(ZcDbObject, ZcRxObject);

ZcDbObject::ZcDbObject() = default;

ZcDbObject::ZcDbObject(const ZcDbObject& other)
    : ZcRxObject(), xdata_(other.xdata_), unmodelled_(other.unmodelled_) {}

ZcDbObject::~ZcDbObject() {
    if (db_)
        db_->forget(this);
}

ZcDbObjectId ZcDbObject::objectId() const { return db_ ? db_->idOf(handle_) : ZcDbObjectId::kNull; }
ZcDbDatabase* ZcDbObject::database() const { return db_ ? db_->owner : nullptr; }

Zcad::ErrorStatus ZcDbObject::setOwnerId(ZcDbObjectId owner) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    ownerId_ = owner;
    return Zcad::eOk;
}

bool ZcDbObject::isReadEnabled() const { return !db_ || writer_ || readers_ > 0 || notifiers_ > 0; }
bool ZcDbObject::isWriteEnabled() const { return !db_ || writer_; }

Zcad::ErrorStatus ZcDbObject::checkWrite() const { return isWriteEnabled() ? Zcad::eOk : Zcad::eNotOpenForWrite; }

ZcDbDatabase* ZcDbObject::lookupDatabase() const {
    DatabaseImpl* db = host::db::lookupImpl(this);
    return db ? db->owner : nullptr;
}

void ZcDbObject::subAddedToDatabase(ZcDbDatabase*) {}
void ZcDbObject::subErased(bool) {}
ZcDbObject* ZcDbObject::clone() const { return new ZcDbObject(*this); }
void ZcDbObject::forEachReference(const std::function<void(ZcDbObjectId&)>&) {}

Zcad::ErrorStatus ZcDbObject::close() {
    if (!db_)
        return Zcad::eNotInDatabase;
    if (writer_) {
        writer_ = false;
        upgraded_ = false;
    } else if (readers_ > 0) {
        --readers_;
    } else if (notifiers_ > 0) {
        --notifiers_;
    } else {
        return Zcad::eInvalidOpenState;
    }
    db_->noteOpenState(this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::erase(bool erasing) {
    if (!db_)
        return Zcad::eNotInDatabase;
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    if (erased_ == erasing)
        return Zcad::eOk;
    if (erasing && db_->isProtected(objectId()))
        return Zcad::eCannotBeErasedByCaller;
    erased_ = erasing;
    subErased(erasing);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::upgradeOpen() {
    if (!db_ || writer_)
        return Zcad::eOk;
    if (readers_ == 0)
        return Zcad::eNotOpenForRead;
    if (readers_ > 1)
        return Zcad::eHadMultipleReaders;
    readers_ = 0;
    writer_ = true;
    db_->noteOpenState(this);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::downgradeOpen() {
    if (!db_)
        return Zcad::eNotInDatabase;
    if (!writer_)
        return Zcad::eNotOpenForWrite;
    writer_ = false;
    upgraded_ = false;
    readers_ = 1;
    db_->noteOpenState(this);
    return Zcad::eOk;
}

namespace host::db {

Zcad::ErrorStatus ObjectAccess::open(ZcDbObject* o, ZcDb::OpenMode mode) {
    switch (mode) {
    case ZcDb::kForRead:
        if (o->writer_)
            return Zcad::eWasOpenForWrite;
        if (o->readers_ >= kMaxReaders)
            return Zcad::eAtMaxReaders;
        ++o->readers_;
        break;
    case ZcDb::kForWrite:
        if (o->writer_)
            return Zcad::eWasOpenForWrite;
        if (o->readers_ > 1)
            return Zcad::eWasOpenForRead;
        // Held for read by one reader: the same object becomes writable; one close ends it.
        o->upgraded_ = o->readers_ == 1;
        o->readers_ = 0;
        o->writer_ = true;
        break;
    case ZcDb::kForNotify:
        ++o->notifiers_;
        break;
    default:
        return Zcad::eInvalidInput;
    }
    o->db_->noteOpenState(o);
    return Zcad::eOk;
}

std::wstring ObjectAccess::openState(const ZcDbObject* o) {
    if (o->writer_)
        return o->upgraded_ ? L"open for write (upgraded from read)" : L"open for write";
    if (o->readers_ > 0)
        return L"open for read (" + std::to_wstring(o->readers_) + L")";
    if (o->notifiers_ > 0)
        return L"open for notify";
    return L"closed";
}

}  // namespace host::db

Zcad::ErrorStatus zcdbOpenObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased) {
    obj = nullptr;
    if (id.isNull())
        return Zcad::eNullObjectId;
    DatabaseImpl* db = host::db::findDatabase(id.databaseSerial());
    if (!db)
        return Zcad::eWrongDatabase;
    ZcDbObject* object = db->find(id.handle().value());
    if (!object)
        return Zcad::eKeyNotFound;
    if (object->isErased() && !openErased)
        return Zcad::eWasErased;
    if (Zcad::ErrorStatus es = ObjectAccess::open(object, mode); es != Zcad::eOk)
        return es;
    obj = object;
    return Zcad::eOk;
}

Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& obj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased) {
    return zcdbOpenObject(obj, id, mode, openErased);
}

Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& entity, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased) {
    entity = nullptr;
    ZcDbObject* object = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(object, id, mode, openErased);
    if (es != Zcad::eOk)
        return es;
    entity = ZcDbEntity::cast(object);
    if (!entity) {
        object->close();
        return Zcad::eNotAnEntity;
    }
    return Zcad::eOk;
}

// ---------------------------------------------------------------------------------------
// Extended data.

namespace {

enum class XKind { Text, Binary, Point, Real, Short, Long, Bad };

XKind xkind(int code) {
    if ((code >= 1000 && code <= 1003) || code == 1005)
        return XKind::Text;
    if (code == 1004)
        return XKind::Binary;
    if (code >= 1010 && code <= 1013)
        return XKind::Point;
    if (code >= 1040 && code <= 1042)
        return XKind::Real;
    if (code == 1070)
        return XKind::Short;
    if (code == 1071)
        return XKind::Long;
    return XKind::Bad;
}

resbuf* toResbuf(const XDataItem& item) {
    resbuf* rb = zcutNewRb(item.code);
    if (!rb)
        return nullptr;
    rb->restype = static_cast<short>(item.code);
    switch (xkind(item.code)) {
    case XKind::Text:
        rb->resval.rstring = host::db::newText(std::get<std::wstring>(item.value));
        break;
    case XKind::Binary: {
        const auto& bytes = std::get<std::vector<Zdesk::UInt8>>(item.value);
        rb->resval.rbinary.clen = static_cast<short>(bytes.size());
        rb->resval.rbinary.buf = new char[bytes.size() ? bytes.size() : 1];
        if (!bytes.empty())
            std::memcpy(rb->resval.rbinary.buf, bytes.data(), bytes.size());
        break;
    }
    case XKind::Point: {
        const ZcGePoint3d& p = std::get<ZcGePoint3d>(item.value);
        rb->resval.rpoint[0] = p.x;
        rb->resval.rpoint[1] = p.y;
        rb->resval.rpoint[2] = p.z;
        break;
    }
    case XKind::Real: rb->resval.rreal = std::get<double>(item.value); break;
    case XKind::Short: rb->resval.rint = static_cast<short>(std::get<Zdesk::Int32>(item.value)); break;
    case XKind::Long: rb->resval.rlong = std::get<Zdesk::Int32>(item.value); break;
    case XKind::Bad: break;
    }
    return rb;
}

bool fromResbuf(const resbuf* rb, XDataItem& item) {
    item.code = rb->restype;
    switch (xkind(rb->restype)) {
    case XKind::Text:
        if (!rb->resval.rstring)
            return false;
        item.value = std::wstring(rb->resval.rstring);
        return true;
    case XKind::Binary: {
        if (rb->resval.rbinary.clen < 0 || (rb->resval.rbinary.clen > 0 && !rb->resval.rbinary.buf))
            return false;
        const auto* p = reinterpret_cast<const Zdesk::UInt8*>(rb->resval.rbinary.buf);
        item.value = std::vector<Zdesk::UInt8>(p, p + rb->resval.rbinary.clen);
        return true;
    }
    case XKind::Point:
        item.value = ZcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        return true;
    case XKind::Real: item.value = rb->resval.rreal; return true;
    case XKind::Short: item.value = Zdesk::Int32(rb->resval.rint); return true;
    case XKind::Long: item.value = rb->resval.rlong; return true;
    case XKind::Bad: return false;
    }
    return false;
}

/// The items of one application: [begin, end) in the stored list.
std::pair<size_t, size_t> appRange(const std::vector<XDataItem>& items, const std::wstring& app) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].code != 1001 || !host::db::sameName(std::get<std::wstring>(items[i].value), app))
            continue;
        size_t j = i + 1;
        while (j < items.size() && items[j].code != 1001)
            ++j;
        return {i, j};
    }
    return {items.size(), items.size()};
}

}  // namespace

resbuf* ZcDbObject::xData(const ZTCHAR* regappName) const {
    size_t begin = 0, end = xdata_.size();
    if (regappName) {
        std::tie(begin, end) = appRange(xdata_, regappName);
        if (begin == end)
            return nullptr;
    }
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (size_t i = begin; i < end; ++i) {
        resbuf* rb = toResbuf(xdata_[i]);
        if (!rb)
            continue;
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    return head;
}

Zcad::ErrorStatus ZcDbObject::setXData(const resbuf* xdata) {
    if (Zcad::ErrorStatus es = checkWrite(); es != Zcad::eOk)
        return es;
    // Parse the whole list first so that a bad list changes nothing.
    std::vector<std::pair<std::wstring, std::vector<XDataItem>>> apps;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext) {
        XDataItem item;
        if (!fromResbuf(rb, item))
            return Zcad::eInvalidResBuf;
        if (item.code == 1001) {
            apps.emplace_back(std::get<std::wstring>(item.value), std::vector<XDataItem>{item});
            continue;
        }
        if (apps.empty())
            return Zcad::eInvalidResBuf;
        apps.back().second.push_back(std::move(item));
    }
    DatabaseImpl* db = host::db::lookupImpl(this);
    for (const auto& [name, items] : apps) {
        if (name.empty())
            return Zcad::eInvalidResBuf;
        if (!db || db->recordByName(host::db::Table::RegApp, name).isNull())
            return Zcad::eRegappIdNotFound;
    }
    for (auto& [name, items] : apps) {
        auto [begin, end] = appRange(xdata_, name);
        xdata_.erase(xdata_.begin() + static_cast<long>(begin), xdata_.begin() + static_cast<long>(end));
        if (items.size() > 1)
            xdata_.insert(xdata_.end(), items.begin(), items.end());
    }
    return Zcad::eOk;
}
