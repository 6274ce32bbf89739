// The host's application services: the working database.
#pragma once

#include "zcdbmain.h"

class ZCAD_PORT ZcDbHostApplicationServices {
public:
    /// The database commands work on (the open drawing); null before one is set.
    ZcDbDatabase* workingDatabase() const;
    /// Sets the working database (null clears it). A database that is deleted while it is
    /// the working one clears it too.
    void setWorkingDatabase(ZcDbDatabase* database);
};

/// The process's application services object.
ZCAD_PORT ZcDbHostApplicationServices* zcdbHostApplicationServices();
