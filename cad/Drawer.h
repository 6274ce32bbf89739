// ZWDrawer: appends new entities to a block table record (a space) of the drawing.
#pragma once

#include <zcdbsymtb.h>

#include "cad/ObjectId.h"

/// Appends new, not yet database-resident entities. After a successful call the entity is
/// database-resident and still open for write: its creator closes it.
class ZWDrawer {
public:
    /// Appends entity to space, or to the model space of the working database when space is
    /// null. The space record is closed by this call in every case, so the caller must not
    /// close it again. Results: the host's append status; 20 (and "ZWDrawer::Add" printed)
    /// without an entity; 221 without a working database, when its block table or model
    /// space cannot be opened, or when space is no block table record (nothing appended).
    static int Add(ZcDbEntity* entity, ZcDbBlockTableRecord* space = nullptr);
    /// Appends entity to the block table record spaceId, or to the working database's
    /// current space when spaceId is null. Results: the append status; 20 without an entity;
    /// the host's status when spaceId cannot be opened for write; 34 when it is no block
    /// table record; 221 when there is no working database or no usable current space.
    static int AddToCurrentSpace(ZcDbEntity* entity, ZcDbObjectId spaceId = nullObjectId);
};
