// Attribute definitions and attributes: tags, values and the definition of an attribute.
#include "cad/Attributes.h"

#include <zcutads.h>

#include "cad/BlockDef.h"
#include "cad/BlockIns.h"

namespace {

/// Takes over a text the host allocated.
CString takeHostText(ZTCHAR* text) {
    CString result;
    if (text != nullptr) {
        result = text;
        zcutDelBuffer(text);
    }
    return result;
}

}  // namespace

ZWAttributeDefinition::~ZWAttributeDefinition() = default;

bool ZWAttributeDefinition::isAttributeDefinition() const {
    return isEntityOf(ZcDbAttributeDefinition::desc());
}

CString ZWAttributeDefinition::tag() {
    if (open(ZcDb::kForRead) != 0)
        return CString();
    CString result = takeHostText(typed->tag());
    close();
    return result;
}

ZWAttributeReference::~ZWAttributeReference() = default;

bool ZWAttributeReference::isAttribute() const {
    return isEntityOf(ZcDbAttribute::desc());
}

CString ZWAttributeReference::tag() {
    if (open(ZcDb::kForRead) != 0)
        return CString();
    CString result = takeHostText(typed->tag());
    close();
    return result;
}

CString ZWAttributeReference::textString() {
    if (open(ZcDb::kForRead) != 0)
        return CString();
    CString result = takeHostText(typed->textString());
    close();
    return result;
}

ZcDbObjectId ZWAttributeReference::findDefinition() {
    if (open(ZcDb::kForRead) != 0)
        return nullObjectId;
    ZcDbObjectId owner = typed->ownerId();
    close();

    ZWBlockIns reference(owner);
    if (!reference.isBlockReference())
        return nullObjectId;
    ZWBlockDef block(reference.blockDefinitionId());
    if (!block.isBlockDefinition())
        return nullObjectId;

    CString wanted = tag();
    for (const ZcDbObjectId& definitionId : block.attributeDefinitions())
        if (ZWAttributeDefinition(definitionId).tag().CollateNoCase(wanted) == 0)
            return definitionId;
    return nullObjectId;
}
