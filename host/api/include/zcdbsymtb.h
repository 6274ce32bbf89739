// Symbol tables (blocks, layers, linetypes, text styles, registered applications), their
// records and iterators.
#pragma once

#include <string>
#include <vector>

#include "zcdbmain.h"

class ZcDbSymbolTableIterator;
class ZcDbBlockTableRecordIterator;
class ZcDbBlockTableRecord;

namespace host::db {
struct TableAccess;

/// A position in an object's list of ids (a table's records, a block's entities) that skips
/// erased entries on request. The list is looked up afresh at each call, so that records
/// added or removed while iterating are seen and a vanished owner ends the walk.
class ZCAD_PORT IdListCursor {
public:
    using ListOf = const std::vector<ZcDbObjectId>* (*)(ZcDbObjectId owner);
    IdListCursor(ZcDbObjectId owner, ListOf listOf) : owner_(owner), listOf_(listOf) {}

    void start(bool atBeginning, bool skipDeleted);
    bool done() const;
    void step(bool forward, bool skipDeleted);
    /// The id at the position; eInvalidIndex (and a null id) when done.
    Zcad::ErrorStatus current(ZcDbObjectId& id) const;
    /// Moves to id; eKeyNotFound when the list does not hold it.
    Zcad::ErrorStatus seek(ZcDbObjectId id);
    ZcDbObjectId owner() const { return owner_; }

private:
    bool skippable(int index) const;

    ZcDbObjectId owner_;
    ListOf listOf_;
    int pos_ = 0;
};
}  // namespace host::db

/// A named record of a symbol table. Names compare without regard to letter case.
class ZCAD_PORT ZcDbSymbolTableRecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTableRecord);

    /// A copy of the name, allocated by the host; free it with zcutDelBuffer.
    Zcad::ErrorStatus getName(ZTCHAR*& name) const;
    /// The record's own name text; valid while the record is open and not renamed.
    Zcad::ErrorStatus getName(const ZTCHAR*& name) const;
    const ZTCHAR* getNameConst() const { return name_.c_str(); }
    /// eInvalidInput for a null or empty name or one with characters the host refuses
    /// (<>/\":;?*|,=`), eDuplicateRecordName when another record of the owning table has
    /// the name; eNotOpenForWrite.
    Zcad::ErrorStatus setName(const ZTCHAR* name);
    bool isDependent() const { return false; }
    bool isResolved() const { return true; }

protected:
    ZcDbSymbolTableRecord() = default;
    ZcDbSymbolTableRecord(const ZcDbSymbolTableRecord& other) = default;

private:
    friend struct host::db::TableAccess;
    std::wstring name_;
};

/// A table of named records, in the order they were added.
class ZCAD_PORT ZcDbSymbolTable : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTable);

    /// A record of that name (not erased) exists.
    bool has(const ZTCHAR* name) const;
    bool has(ZcDbObjectId id) const;
    /// eKeyNotFound when there is no such record (erased ones count only with getErased).
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbObjectId& id, bool getErased = false) const;
    /// Looks the record up and opens it.
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    /// Adds a new record (the table must be open for write; the record comes back open for
    /// write, owned by the database). eNullObjectPointer, eAlreadyInDb, eInvalidInput (no
    /// name), eDuplicateRecordName, eWrongObjectType (a record of another table),
    /// eNotOpenForWrite, eNoDatabase (table not in a database).
    Zcad::ErrorStatus add(ZcDbSymbolTableRecord* record);
    Zcad::ErrorStatus add(ZcDbObjectId& id, ZcDbSymbolTableRecord* record);
    Zcad::ErrorStatus newIterator(ZcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // Host side: the record ids in order (erased included).
    const std::vector<ZcDbObjectId>& recordIds() const { return records_; }

protected:
    ZcDbSymbolTable() = default;
    /// The class of the records this table holds.
    virtual ZcRxClass* recordClass() const;

private:
    friend struct host::db::TableAccess;
    std::vector<ZcDbObjectId> records_;
};

/// Steps over the records of a table. It works on the table's current list of ids, so
/// records added while iterating are reached; a table or database that went away ends it.
class ZCAD_PORT ZcDbSymbolTableIterator {
public:
    virtual ~ZcDbSymbolTableIterator() = default;

    void start(bool atBeginning = true, bool skipDeleted = true) { cursor_.start(atBeginning, skipDeleted); }
    bool done() const { return cursor_.done(); }
    void step(bool forward = true, bool skipDeleted = true) { cursor_.step(forward, skipDeleted); }
    Zcad::ErrorStatus getRecordId(ZcDbObjectId& id) const { return cursor_.current(id); }
    Zcad::ErrorStatus getRecord(ZcDbSymbolTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
    /// Moves to the record; eKeyNotFound when the table does not hold it.
    Zcad::ErrorStatus seek(ZcDbObjectId id) { return cursor_.seek(id); }

    // Host side.
    ZcDbSymbolTableIterator(ZcDbObjectId table, bool atBeginning, bool skipDeleted);

private:
    host::db::IdListCursor cursor_;
};

// ---------------------------------------------------------------------------------------
// Blocks.

class ZCAD_PORT ZcDbBlockTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTableRecord);
    typedef ZcArray<Zdesk::UInt8> PreviewIcon;

    ZcDbBlockTableRecord();

    /// Appends a new entity; the record must be resident and open for write. The entity
    /// gets its id, this record as owner, database defaults for what it has not set, and
    /// stays open for write (the caller closes it). eNullEntityPointer, eAlreadyInDb,
    /// eNotOpenForWrite, eNoDatabase.
    Zcad::ErrorStatus appendZcDbEntity(ZcDbEntity* entity);
    Zcad::ErrorStatus appendZcDbEntity(ZcDbObjectId& id, ZcDbEntity* entity);
    Zcad::ErrorStatus newIterator(ZcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    ZcGePoint3d origin() const { return origin_; }
    Zcad::ErrorStatus setOrigin(const ZcGePoint3d& origin);

    /// Model space, paper space and layout blocks.
    bool isLayout() const { return !layoutId_.isNull(); }
    ZcDbObjectId getLayoutId() const { return layoutId_; }
    Zcad::ErrorStatus setLayoutId(ZcDbObjectId layout);
    bool isAnonymous() const;
    bool isFromExternalReference() const { return false; }
    /// Some entity of the block, not erased, is an attribute definition.
    bool hasAttributeDefinitions() const;

    /// A stored icon, or (for blocks with geometry) one the renderer makes on demand.
    bool hasPreviewIcon() const;
    /// The 32 x 32 device-independent bitmap of the icon (header, 256-entry palette,
    /// pixels). eNotApplicable when the block has neither a stored icon nor geometry.
    Zcad::ErrorStatus getPreviewIcon(PreviewIcon& icon) const;
    Zcad::ErrorStatus setPreviewIcon(const PreviewIcon& icon);

    /// Ids of the block references to this block in the database (directOnly ignored:
    /// direct references only).
    Zcad::ErrorStatus getBlockReferenceIds(ZcDbObjectIdArray& ids, bool directOnly = true) const;

    const ZTCHAR* comments() const { return comments_.c_str(); }
    Zcad::ErrorStatus setComments(const ZTCHAR* text);

    // Host side: the entity ids in order (erased included); the icon as stored.
    const std::vector<ZcDbObjectId>& entityIds() const { return entities_; }
    const PreviewIcon& storedPreviewIcon() const { return icon_; }

    /// A copy of the record's name and settings, without entities, layout or icon.
    ZcDbObject* clone() const override;
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

private:
    friend struct host::db::TableAccess;
    ZcDbBlockTableRecord(const ZcDbBlockTableRecord&) = default;
    ZcGePoint3d origin_;
    ZcDbObjectId layoutId_;
    std::vector<ZcDbObjectId> entities_;
    PreviewIcon icon_;
    std::wstring comments_;
};

class ZCAD_PORT ZcDbBlockTableRecordIterator {
public:
    virtual ~ZcDbBlockTableRecordIterator() = default;

    void start(bool atBeginning = true, bool skipDeleted = true) { cursor_.start(atBeginning, skipDeleted); }
    bool done() const { return cursor_.done(); }
    void step(bool forward = true, bool skipDeleted = true) { cursor_.step(forward, skipDeleted); }
    Zcad::ErrorStatus getEntityId(ZcDbObjectId& id) const { return cursor_.current(id); }
    /// Opens the current entity (see zcdbOpenObject for the results).
    Zcad::ErrorStatus getEntity(ZcDbEntity*& entity, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
    Zcad::ErrorStatus seek(ZcDbObjectId id) { return cursor_.seek(id); }
    ZcDbObjectId blockTableRecordId() const { return cursor_.owner(); }

    // Host side.
    ZcDbBlockTableRecordIterator(ZcDbObjectId block, bool atBeginning, bool skipDeleted);

private:
    host::db::IdListCursor cursor_;
};

class ZCAD_PORT ZcDbBlockTableIterator : public ZcDbSymbolTableIterator {
public:
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
    using ZcDbSymbolTableIterator::getRecord;
    Zcad::ErrorStatus getRecord(ZcDbBlockTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
};

class ZCAD_PORT ZcDbBlockTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTable);
    ZcDbBlockTable() = default;

    using ZcDbSymbolTable::getAt;
    using ZcDbSymbolTable::newIterator;
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbBlockTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    Zcad::ErrorStatus newIterator(ZcDbBlockTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    ZcRxClass* recordClass() const override;
};

// ---------------------------------------------------------------------------------------
// Layers.

class ZCAD_PORT ZcDbLayerTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTableRecord);
    ZcDbLayerTableRecord();

    ZcCmColor color() const { return color_; }
    Zcad::ErrorStatus setColor(const ZcCmColor& color);
    bool isOff() const { return off_; }
    Zcad::ErrorStatus setIsOff(bool off);
    bool isFrozen() const { return frozen_; }
    Zcad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const { return locked_; }
    Zcad::ErrorStatus setIsLocked(bool locked);
    bool isHidden() const { return hidden_; }
    Zcad::ErrorStatus setIsHidden(bool hidden);
    bool isPlottable() const { return plottable_; }
    Zcad::ErrorStatus setIsPlottable(bool plottable);
    ZcDbObjectId linetypeObjectId() const { return linetype_; }
    Zcad::ErrorStatus setLinetypeObjectId(ZcDbObjectId linetype);
    ZcDb::LineWeight lineWeight() const { return lineWeight_; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight weight);

    ZcDbObject* clone() const override { return new ZcDbLayerTableRecord(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

private:
    ZcDbLayerTableRecord(const ZcDbLayerTableRecord&) = default;
    ZcCmColor color_;
    bool off_ = false;
    bool frozen_ = false;
    bool locked_ = false;
    bool hidden_ = false;
    bool plottable_ = true;
    ZcDbObjectId linetype_;
    ZcDb::LineWeight lineWeight_ = ZcDb::kLnWtByLwDefault;
};

class ZCAD_PORT ZcDbLayerTableIterator : public ZcDbSymbolTableIterator {
public:
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
    using ZcDbSymbolTableIterator::getRecord;
    Zcad::ErrorStatus getRecord(ZcDbLayerTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
};

class ZCAD_PORT ZcDbLayerTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTable);
    ZcDbLayerTable() = default;

    using ZcDbSymbolTable::getAt;
    using ZcDbSymbolTable::newIterator;
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbLayerTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    Zcad::ErrorStatus newIterator(ZcDbLayerTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    ZcRxClass* recordClass() const override;
};

// ---------------------------------------------------------------------------------------
// Linetypes.

class ZCAD_PORT ZcDbLinetypeTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTableRecord);
    ZcDbLinetypeTableRecord() = default;

    const ZTCHAR* comments() const { return comments_.c_str(); }
    Zcad::ErrorStatus setComments(const ZTCHAR* text);
    /// The dash lengths (positive dash, negative gap, 0 dot).
    int numDashes() const { return static_cast<int>(dashes_.size()); }
    double dashLengthAt(int index) const;
    Zcad::ErrorStatus setNumDashes(int count);
    Zcad::ErrorStatus setDashLengthAt(int index, double length);
    double patternLength() const;
    Zcad::ErrorStatus setPatternLength(double length);
    ZcDbObject* clone() const override { return new ZcDbLinetypeTableRecord(*this); }

private:
    ZcDbLinetypeTableRecord(const ZcDbLinetypeTableRecord&) = default;
    std::wstring comments_;
    std::vector<double> dashes_;
    double patternLength_ = 0.0;
};

class ZCAD_PORT ZcDbLinetypeTableIterator : public ZcDbSymbolTableIterator {
public:
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
    using ZcDbSymbolTableIterator::getRecord;
    Zcad::ErrorStatus getRecord(ZcDbLinetypeTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
};

class ZCAD_PORT ZcDbLinetypeTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTable);
    ZcDbLinetypeTable() = default;

    using ZcDbSymbolTable::getAt;
    using ZcDbSymbolTable::newIterator;
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbLinetypeTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    Zcad::ErrorStatus newIterator(ZcDbLinetypeTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    ZcRxClass* recordClass() const override;
};

// ---------------------------------------------------------------------------------------
// Text styles.

class ZCAD_PORT ZcDbTextStyleTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTableRecord);
    ZcDbTextStyleTableRecord() = default;

    /// The fixed text height; 0 means texts choose their own.
    double textSize() const { return textSize_; }
    /// Must not be negative (eInvalidInput).
    Zcad::ErrorStatus setTextSize(double size);
    double xScale() const { return xScale_; }
    Zcad::ErrorStatus setXScale(double scale);
    double obliquingAngle() const { return oblique_; }
    Zcad::ErrorStatus setObliquingAngle(double angle);
    double priorSize() const { return priorSize_; }
    Zcad::ErrorStatus setPriorSize(double size);
    Zcad::ErrorStatus fileName(const ZTCHAR*& name) const;
    Zcad::ErrorStatus setFileName(const ZTCHAR* name);
    Zcad::ErrorStatus bigFontFileName(const ZTCHAR*& name) const;
    Zcad::ErrorStatus setBigFontFileName(const ZTCHAR* name);
    bool isShapeFile() const { return (flags_ & 1) != 0; }
    bool isVertical() const { return (flags_ & 4) != 0; }
    Zdesk::UInt8 flagBits() const { return generation_; }  ///< 2 backwards, 4 upside down
    Zcad::ErrorStatus setFlagBits(Zdesk::UInt8 bits);
    ZcDbObject* clone() const override { return new ZcDbTextStyleTableRecord(*this); }

private:
    ZcDbTextStyleTableRecord(const ZcDbTextStyleTableRecord&) = default;
    double textSize_ = 0.0;
    double xScale_ = 1.0;
    double oblique_ = 0.0;
    double priorSize_ = 2.5;
    std::wstring fileName_ = L"txt";
    std::wstring bigFontFileName_;
    int flags_ = 0;
    Zdesk::UInt8 generation_ = 0;
};

class ZCAD_PORT ZcDbTextStyleTableIterator : public ZcDbSymbolTableIterator {
public:
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
    using ZcDbSymbolTableIterator::getRecord;
    Zcad::ErrorStatus getRecord(ZcDbTextStyleTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
};

class ZCAD_PORT ZcDbTextStyleTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTable);
    ZcDbTextStyleTable() = default;

    using ZcDbSymbolTable::getAt;
    using ZcDbSymbolTable::newIterator;
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbTextStyleTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    Zcad::ErrorStatus newIterator(ZcDbTextStyleTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    ZcRxClass* recordClass() const override;
};

// ---------------------------------------------------------------------------------------
// Registered applications.

class ZCAD_PORT ZcDbRegAppTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTableRecord);
    ZcDbRegAppTableRecord() = default;
    ZcDbObject* clone() const override { return new ZcDbRegAppTableRecord(*this); }

private:
    ZcDbRegAppTableRecord(const ZcDbRegAppTableRecord&) = default;
};

class ZCAD_PORT ZcDbRegAppTableIterator : public ZcDbSymbolTableIterator {
public:
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
    using ZcDbSymbolTableIterator::getRecord;
    Zcad::ErrorStatus getRecord(ZcDbRegAppTableRecord*& record, ZcDb::OpenMode mode = ZcDb::kForRead,
                                bool openErased = false) const;
};

class ZCAD_PORT ZcDbRegAppTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTable);
    ZcDbRegAppTable() = default;

    using ZcDbSymbolTable::getAt;
    using ZcDbSymbolTable::newIterator;
    Zcad::ErrorStatus getAt(const ZTCHAR* name, ZcDbRegAppTableRecord*& record, ZcDb::OpenMode mode,
                            bool openErased = false) const;
    Zcad::ErrorStatus newIterator(ZcDbRegAppTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

protected:
    ZcRxClass* recordClass() const override;
};

// ---------------------------------------------------------------------------------------
// Layouts: model space and the paper-space layouts, each tied to a block record.

class ZCAD_PORT ZcDbLayout : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayout);
    ZcDbLayout() = default;

    Zcad::ErrorStatus getLayoutName(const ZTCHAR*& name) const;
    Zcad::ErrorStatus setLayoutName(const ZTCHAR* name);
    int getTabOrder() const { return tabOrder_; }
    Zcad::ErrorStatus setTabOrder(int order);
    ZcDbObjectId getBlockTableRecordId() const { return block_; }
    Zcad::ErrorStatus setBlockTableRecordId(ZcDbObjectId block);
    bool modelType() const { return tabOrder_ == 0; }

    ZcDbObject* clone() const override { return new ZcDbLayout(*this); }
    void forEachReference(const std::function<void(ZcDbObjectId&)>& fn) override;

private:
    ZcDbLayout(const ZcDbLayout&) = default;
    std::wstring name_;
    int tabOrder_ = 0;
    ZcDbObjectId block_;
};

// The names of the two standard spaces.
#define ZCDB_MODEL_SPACE L"*Model_Space"
#define ZCDB_PAPER_SPACE L"*Paper_Space"
