// The objects every R2010 drawing has: root dictionary, groups, layouts, plot styles, classes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/dxf/Document.h"

namespace host::dxf::detail {

/// Allocates a fresh handle (hex text).
using HandleSource = std::function<std::string()>;

/// Adds the standard objects to `doc` when its OBJECTS section lacks a root dictionary, or
/// adds the ACAD_GROUP and ACAD_LAYOUT entries a root dictionary lacks. Links the
/// *Model_Space and *Paper_Space block records to the layouts it creates.
void addStandardObjects(Document& doc, const HandleSource& newHandle);

/// Adds CLASS records for the class-based object and entity types used in `doc`.
void addRequiredClasses(Document& doc);

}  // namespace host::dxf::detail
