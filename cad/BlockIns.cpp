// ZWBlockIns: block reference queries.
#include "cad/BlockIns.h"

#include "cad/Attributes.h"

ZWBlockIns::~ZWBlockIns() = default;

bool ZWBlockIns::isBlockReference() const {
    return isEntityOf(ZcDbBlockReference::desc());
}

ZcDbObjectId ZWBlockIns::blockDefinitionId() {
    if (open(ZcDb::kForRead) != 0)
        return nullObjectId;
    ZcDbObjectId definition = typed->blockTableRecord();
    close();
    return definition;
}

ZcDbObjectIdArray ZWBlockIns::attributes() {
    ZcDbObjectIdArray ids(0, 8);
    if (open(ZcDb::kForRead) != 0)
        return ids;
    if (ZcDbObjectIterator* iterator = typed->attributeIterator()) {
        for (iterator->start(); !iterator->done(); iterator->step(false, true)) {
            ZcDbObjectId attributeId = iterator->objectId();
            if (ZWAttributeReference(attributeId).isAttribute())
                ids.append(attributeId);
        }
        delete iterator;
    }
    close();
    return ids;
}
