// BlockInserter: block references and the attributes made from the block's definitions.
#include "cad/BlockInserter.h"

#include <zcdbmtext.h>
#include <zcutads.h>

#include "cad/BlockRecord.h"
#include "cad/Drawer.h"
#include "cad/ObjectId.h"

namespace {

// Rows: vertical mode 0 baseline, 1 bottom, 2 middle, 3 top; columns: horizontal mode 0 left,
// 1 centre, 2 right, 3 aligned, 4 middle, 5 fit.
constexpr int kAttachment[4][6] = {
    {10, 11, 12, 13, 21, 17},
    {7, 8, 9, 14, 22, 18},
    {4, 5, 6, 15, 23, 19},
    {1, 2, 3, 16, 24, 20},
};

/// Hands a host-allocated text to fn and frees it.
template <class Fn>
void withHostText(ZTCHAR* text, Fn fn) {
    fn(text != nullptr ? text : L"");
    if (text != nullptr)
        zcutDelBuffer(text);
}

}  // namespace

int mtextAttachmentFor(int verticalMode, int horizontalMode) {
    if (verticalMode < 0 || verticalMode > 3 || horizontalMode < 0 || horizontalMode > 5)
        return verticalMode;
    return kAttachment[verticalMode][horizontalMode];
}

int BlockInserter::insert(const CString& name, const ZcGePoint3d& position, double scale,
                          double rotation, ZcDbBlockTableRecord* space) {
    return insert(name, position, ZcGeScale3d(scale), rotation, space);
}

int BlockInserter::insert(const CString& name, const ZcGePoint3d& position,
                          const ZcGeScale3d& scale, double rotation, ZcDbBlockTableRecord* space) {
    ZWBlockRecord block(name);
    if (!block.find())
        return CadStatus::kBlockNotDefined;
    ZcDbObjectId definition = block.objectId();

    reference = new ZcDbBlockReference();
    reference->setDatabaseDefaults();
    reference->setBlockTableRecord(definition);
    reference->setPosition(position);
    reference->setScaleFactors(scale);
    reference->setRotation(rotation);
    int appended = ZWDrawer::Add(reference, space);
    if (appended != Zcad::eOk) {
        // The reference never became part of the drawing: it is still ours to delete.
        delete reference;
        reference = nullptr;
        return appended;
    }
    appendAttributes(definition);
    reference->close();
    return CadStatus::kOk;
}

int BlockInserter::appendAttributes(const ZcDbObjectId& blockDefinition) {
    if (reference == nullptr)
        return CadStatus::kOk;
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, blockDefinition, ZcDb::kForRead, false) != Zcad::eOk)
        return CadStatus::kOk;
    ZcDbBlockTableRecordIterator* iterator = nullptr;
    if (block->hasAttributeDefinitions() && block->newIterator(iterator, true, true) == Zcad::eOk &&
        iterator != nullptr) {
        for (; !iterator->done(); iterator->step(true, true)) {
            ZcDbEntity* entity = nullptr;
            if (iterator->getEntity(entity, ZcDb::kForRead, false) != Zcad::eOk || entity == nullptr)
                continue;
            ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity);
            if (definition == nullptr || definition->isConstant()) {
                entity->close();
                continue;
            }
            appendAttribute(definition);
        }
        delete iterator;
    }
    block->close();
    return CadStatus::kOk;
}

void BlockInserter::appendAttribute(ZcDbAttributeDefinition* definition) {
    ZcDbAttribute* attribute = new ZcDbAttribute();
    withHostText(definition->tag(), [&](const ZTCHAR* tag) { attribute->setTag(tag); });
    attribute->setVerticalMode(definition->verticalMode());
    attribute->setHorizontalMode(definition->horizontalMode());
    ZcGeMatrix3d blockTransform = reference->blockTransform();
    attribute->setPosition(definition->position());
    attribute->setRotation(definition->rotation());
    attribute->setHeight(definition->height());
    attribute->setAlignmentPoint(definition->alignmentPoint());
    // The modes once more, after the points, so that they are not reset by placing them.
    attribute->setHorizontalMode(definition->horizontalMode());
    attribute->setVerticalMode(definition->verticalMode());
    attribute->transformBy(blockTransform);
    attribute->setInvisible(definition->isInvisible());
    withHostText(definition->textString(), [&](const ZTCHAR* text) { attribute->setTextString(text); });
    attribute->setTextStyle(definition->textStyle());
    attribute->setColor(definition->color(), true);
    attribute->setLayer(definition->layerId(), true, false);
    attribute->setLinetype(definition->linetypeId(), true);
    attribute->setLinetypeScale(definition->linetypeScale(), true);
    attribute->setLineWeight(definition->lineWeight(), true);

    if (definition->isMTextAttributeDefinition()) {
        if (ZcDbMText* text = attribute->getMTextAttribute()) {
            text->setTextHeight(attribute->height());
            text->setAttachment(mtextAttachmentFor(definition->verticalMode(),
                                                   definition->horizontalMode()));
            text->setTextStyle(attribute->textStyle());
            text->setColor(definition->color(), true);
            withHostText(attribute->textString(), [&](const ZTCHAR* value) { text->setContents(value); });
            attribute->setMTextAttribute(text);
            delete text;
        }
    }
    definition->close();

    if (reference->appendAttribute(attribute) != Zcad::eOk) {
        delete attribute;
        return;
    }
    attribute->adjustAlignment(nullptr);
    attribute->close();
}
