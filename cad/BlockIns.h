// ZWBlockIns: the typed wrapper of a block reference.
#pragma once

#include <zcdbents.h>

#include "cad/Entity.h"

/// A block reference by its id.
class ZWBlockIns : public TypedEntity<ZcDbBlockReference> {
public:
    ZWBlockIns() = default;
    explicit ZWBlockIns(const ZcDbObjectId& objectId) : TypedEntity(objectId) {}
    ~ZWBlockIns() override;

    /// The id is valid and opens for read as a block reference (closed again).
    bool isBlockReference() const;
    /// The id of the referenced block definition; the null id when it cannot be opened.
    ZcDbObjectId blockDefinitionId();
    /// The ids of the reference's attributes in their order, erased ones skipped; empty
    /// when the reference cannot be opened.
    ZcDbObjectIdArray attributes();
};
