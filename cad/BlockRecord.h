// ZWBlockRecord: a block definition of the working drawing looked up by name, and its
// preview picture.
#pragma once

#include <afxstr.h>
#include <zcdbid.h>

class CImage;

/// A block definition of the working drawing by name. It keeps the found definition's id
/// and opens the definition for read only inside each operation.
class ZWBlockRecord {
public:
    /// Remembers name and looks it up (find).
    explicit ZWBlockRecord(const CString& blockName);

    /// Looks name up in the working drawing's block table (erased records not taken); true
    /// when found. A failed lookup leaves an earlier result unchanged.
    bool find();
    /// The found definition's name as stored in the drawing; empty when none was found.
    CString name() const;
    /// The found definition's id; the null id when none was found.
    ZcDbObjectId objectId() const;
    /// Draws the definition's preview icon into image as a size x size, 24-bit picture.
    /// The image stays empty when there is no definition or no readable icon.
    void preview(CImage& image, int size) const;

    ZcDbObjectId record;
    CString blockName;
};
