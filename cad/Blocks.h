// Blocks: the names of a drawing's block definitions, and the pruning of lists of block
// names and file paths.
#pragma once

#include <afxcoll.h>
#include <zcdbmain.h>

/// The block table of one database.
class Blocks {
public:
    explicit Blocks(ZcDbDatabase* db);
    virtual ~Blocks();

    /// Appends the name of every block definition, in block-table order, to list; layout
    /// blocks (model and paper spaces) are left out when skipLayouts is set. The result is
    /// the status of opening the table or its iterator, otherwise that of the last record
    /// opened or closed (0 for an empty table; 221 without a database).
    int blockNames(CStringArray& list, bool skipLayouts);

    ZcDbDatabase* database = nullptr;
};

/// Blocks::blockNames of the working database.
int drawingBlockNames(CStringArray& list, bool skipLayouts);

/// Removes every entry that is neither the name of a block definition of the working
/// drawing nor the path of an existing file or folder; every entry is examined once.
void removeUnavailable(CStringArray& list);
