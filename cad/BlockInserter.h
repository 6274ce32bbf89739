// BlockInserter: places a block reference with one attribute per non-constant attribute
// definition of its block.
#pragma once

#include <afxstr.h>
#include <zcdbents.h>
#include <zcdbsymtb.h>

/// The attachment code of a multiline text for a single-line text's vertical mode (0
/// baseline .. 3 top) and horizontal mode (0 left .. 5 fit). Modes outside those ranges
/// give the vertical mode's own value.
int mtextAttachmentFor(int verticalMode, int horizontalMode);

/// Creates block references of defined blocks; one inserter can insert repeatedly.
class BlockInserter {
public:
    BlockInserter() = default;

    /// insert with the same scale on all three axes.
    int insert(const CString& name, const ZcGePoint3d& position, double scale, double rotation,
               ZcDbBlockTableRecord* space = nullptr);
    /// Creates a reference of the block name of the working drawing at position (scale,
    /// rotation in radians) in space (model space when null; the space is closed by the
    /// call) with the block's attributes. 379 when the block is not defined (nothing is
    /// created); the append status when the reference cannot be appended (it is deleted);
    /// otherwise 0, whatever individual attribute steps report.
    int insert(const CString& name, const ZcGePoint3d& position, const ZcGeScale3d& scale,
               double rotation, ZcDbBlockTableRecord* space = nullptr);
    /// Appends to the open reference one attribute per non-constant attribute definition
    /// of blockDefinition, in block order, placed by the reference's block transform and
    /// filled with the definition's default text. Always 0.
    int appendAttributes(const ZcDbObjectId& blockDefinition);

    /// The reference made by the last insert (closed after insert); null before.
    ZcDbBlockReference* reference = nullptr;

private:
    void appendAttribute(ZcDbAttributeDefinition* definition);
};
