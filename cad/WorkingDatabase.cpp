// The working database as the host application services give it.
#include "cad/WorkingDatabase.h"

#include <zcdbapserv.h>

ZcDbDatabase* workingDatabase() {
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}
