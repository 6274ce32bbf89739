// The host's working database, the one drawing that the plug-in's commands work on.
#pragma once

#include <zcdbmain.h>

/// The working database of the host application, or null when there is none.
ZcDbDatabase* workingDatabase();
