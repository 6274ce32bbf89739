// DwgBlockImporter: turns a sign's drawing file into a block definition of the working
// drawing, reusing a block that is already defined.
#pragma once

#include <afxstr.h>
#include <zcdbents.h>

/// One import: construct with the file (or folder) and the wanted block name, call
/// import() once, read blockName back.
class DwgBlockImporter {
public:
    DwgBlockImporter(const CString& filePath, const CString& name);
    ~DwgBlockImporter();
    DwgBlockImporter(const DwgBlockImporter&) = delete;
    DwgBlockImporter& operator=(const DwgBlockImporter&) = delete;

    /// 0 when a block named blockName is defined afterwards: an existing block of that
    /// name (nothing read), an existing block named after the file's title (blockName
    /// becomes its stored name, nothing read), or the block inserted from the file, with
    /// the file's attribute-definition flags and its base point at the origin. 76 when the
    /// file (or folder + blockName + ".dwg") does not exist, 3 when no block name can be
    /// formed, 379 when the block is missing after the insertion, or the host's status of
    /// reading the file, inserting it or opening its block table.
    int import();
    /// The attribute definition of the block blockName whose tag equals tag (without regard
    /// to case), left open for write in found (null when there is none). Entities that fail
    /// to open are reported with printErrorStatus and skipped. The result is the status of
    /// opening the block and creating its iterator (0 when the walk could start).
    int findAttributeDefinition(const CString& tag, ZcDbAttributeDefinition*& found);

    int status;
    ZcDbDatabase* sourceDatabase = nullptr;
    ZcDbDatabase* targetDatabase = nullptr;
    CString path;
    CString blockName;
    ZcDbObjectId sourceModelSpaceId;

private:
    /// Sets the invisible, constant, verifiable, lock-position and preset flags of the new
    /// block's attribute definitions from those of the file. Always 0.
    int copyAttributeFlags();
};
