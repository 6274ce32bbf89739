// ZWAttributeDefinition and ZWAttributeReference: the typed wrappers of attribute
// definitions and of the attributes of block references.
#pragma once

#include <afxstr.h>
#include <zcdbents.h>

#include "cad/Entity.h"

/// An attribute definition of a block by its id.
class ZWAttributeDefinition : public TypedEntity<ZcDbAttributeDefinition> {
public:
    ZWAttributeDefinition() = default;
    explicit ZWAttributeDefinition(const ZcDbObjectId& objectId) : TypedEntity(objectId) {}
    ~ZWAttributeDefinition() override;

    /// The id is valid and opens for read as an attribute definition (closed again).
    bool isAttributeDefinition() const;
    /// The tag; empty when the definition cannot be opened.
    CString tag();
};

/// An attribute of a block reference by its id.
class ZWAttributeReference : public TypedEntity<ZcDbAttribute> {
public:
    ZWAttributeReference() = default;
    explicit ZWAttributeReference(const ZcDbObjectId& objectId) : TypedEntity(objectId) {}
    ~ZWAttributeReference() override;

    /// The id is valid and opens for read as an attribute (closed again).
    bool isAttribute() const;
    /// The tag; empty when the attribute cannot be opened.
    CString tag();
    /// The value; empty when the attribute cannot be opened.
    CString textString();
    /// The attribute definition of the owning reference's block whose tag equals this
    /// attribute's tag (without regard to case, locale collation); the null id when there
    /// is none or anything on the way fails.
    ZcDbObjectId findDefinition();
};
