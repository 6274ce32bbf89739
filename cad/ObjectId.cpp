// The null object id and the ObjectId base.
#include "cad/ObjectId.h"

const ZcDbObjectId nullObjectId;

ObjectId::~ObjectId() = default;
