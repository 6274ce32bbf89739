// ZWBlockDef: a block definition (block table record) found by name or by an id.
#pragma once

#include <afxstr.h>
#include <zcdbsymtb.h>

#include "cad/ObjectId.h"

/// A block definition. The base's status receives the close results of its operations.
class ZWBlockDef : public ObjectId {
public:
    /// Looks name up in the block table of database (the working database when null);
    /// erased records are not taken. An unknown name leaves the null id.
    explicit ZWBlockDef(const CString& name, ZcDbDatabase* database = nullptr);
    /// The definition of a block reference, or a block table record itself; any other
    /// object leaves the null id.
    explicit ZWBlockDef(const ZcDbObjectId& objectId);
    ~ZWBlockDef() override;

    /// Opens the record in mode 0 or 1: 15 when it cannot be opened, 21 when the object is
    /// not a block table record (closed again), otherwise 0 with record set.
    int open(int mode);
    /// Closes the open record; status := the close result, returned.
    int close();
    /// The id is valid and opens for read as a block table record (closed again).
    bool isBlockDefinition() const;
    /// The name as stored; empty when the record cannot be opened or closed.
    CString name();
    /// Renames the definition: the open status, or the host's rename result.
    int setName(const CString& newName);
    /// Moves the base point: 379 when this is no block definition, the open status, or the
    /// host's result.
    int setOrigin(const ZcGePoint3d& point);
    /// The ids of the block's entities in block order, erased ones skipped; empty when the
    /// record cannot be opened.
    ZcDbObjectIdArray entityIds();
    /// The entity ids that are attribute definitions, in block order.
    ZcDbObjectIdArray attributeDefinitions();

    ZcDbBlockTableRecord* record = nullptr;
    ZcDbDatabase* database = nullptr;
};
