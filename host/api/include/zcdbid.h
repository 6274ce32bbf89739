// Object ids and handles of the drawing database.
#pragma once

#include <cstdint>
#include <functional>

#include "zcarray.h"
#include "zcbase.h"

class ZcDbDatabase;
class ZcRxClass;

/// A 64-bit object handle, unique within its database and stable across saves.
class ZCAD_PORT ZcDbHandle {
public:
    ZcDbHandle() = default;
    ZcDbHandle(Zdesk::UInt64 value) : value_(value) {}  // NOLINT: implicit like the host
    /// Parses a hexadecimal handle text ("2A"); an invalid text gives the null handle.
    explicit ZcDbHandle(const ZTCHAR* hex);

    bool isNull() const { return value_ == 0; }
    void setNull() { value_ = 0; }
    Zdesk::UInt64 value() const { return value_; }
    /// Writes the handle as upper-case hexadecimal into buffer (at least 17 characters).
    bool getIntoAsciiBuffer(ZTCHAR* buffer, size_t bufferLength = 17) const;
    ZcDbHandle& operator++() { ++value_; return *this; }
    ZcDbHandle operator+(const ZcDbHandle& other) const { return value_ + other.value_; }
    bool operator==(const ZcDbHandle& other) const { return value_ == other.value_; }
    bool operator!=(const ZcDbHandle& other) const { return value_ != other.value_; }
    bool operator<(const ZcDbHandle& other) const { return value_ < other.value_; }
    operator Zdesk::UInt64() const { return value_; }  // NOLINT

private:
    Zdesk::UInt64 value_ = 0;
};

/// Identifies a database object: the database's serial number and the object's handle.
/// An id stays safe to use after its object was erased or its database deleted: queries
/// then report false / null and opens report a failure status.
class ZCAD_PORT ZcDbObjectId {
public:
    ZcDbObjectId() = default;

    static const ZcDbObjectId kNull;

    bool isNull() const { return handle_ == 0; }
    void setNull() { database_ = 0; handle_ = 0; }
    /// Not null and its database is alive and holds an object with this handle.
    bool isValid() const;
    /// The object exists and is erased.
    bool isErased() const;
    /// The object's database (null when null or the database is gone).
    ZcDbDatabase* database() const;
    /// The run-time class of the object (null when it cannot be found).
    ZcRxClass* objectClass() const;
    ZcDbHandle handle() const { return handle_; }
    /// The id as one number for the C interface (database serial in the high 16 bits).
    Zdesk::IntPtr asOldId() const;
    ZcDbObjectId& setFromOldId(Zdesk::IntPtr oldId);

    bool operator==(const ZcDbObjectId& o) const { return database_ == o.database_ && handle_ == o.handle_; }
    bool operator!=(const ZcDbObjectId& o) const { return !(*this == o); }
    bool operator<(const ZcDbObjectId& o) const {
        return database_ != o.database_ ? database_ < o.database_ : handle_ < o.handle_;
    }
    bool operator>(const ZcDbObjectId& o) const { return o < *this; }
    bool operator<=(const ZcDbObjectId& o) const { return !(o < *this); }
    bool operator>=(const ZcDbObjectId& o) const { return !(*this < o); }

    // Host side: ids are minted by the database.
    ZcDbObjectId(Zdesk::UInt64 databaseSerial, Zdesk::UInt64 handle)
        : database_(databaseSerial), handle_(handle) {}
    Zdesk::UInt64 databaseSerial() const { return database_; }

private:
    Zdesk::UInt64 database_ = 0;
    Zdesk::UInt64 handle_ = 0;
};

typedef ZcArray<ZcDbObjectId> ZcDbObjectIdArray;
typedef ZcArray<Zdesk::UInt8> ZcDbByteArray;  // host-side name for a byte array

template <>
struct std::hash<ZcDbObjectId> {
    size_t operator()(const ZcDbObjectId& id) const noexcept {
        return std::hash<Zdesk::UInt64>()(id.handle() ^ (id.databaseSerial() << 48));
    }
};
