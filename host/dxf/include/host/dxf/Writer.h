// Writing a Document as DXF R2010 (AC1024).
#pragma once

#include <string>

#include "host/dxf/Document.h"
#include "host/dxf/Status.h"
#include "host/dxf/TagWriter.h"

namespace host::dxf {

/// Writes `doc` as DXF R2010: allocates handles where missing or duplicated ($HANDSEED above
/// all), sets owners from the structure, adds what R2010 needs and the document lacks
/// (standard table records, *Model_Space/*Paper_Space, block records, layers and
/// applications referenced by entities, the root dictionary with groups and layouts), and
/// writes every group that is not modelled back as read. The document is not changed.
Status write(const Document& doc, TagSink& sink);

/// `write` into a string.
Expected<std::string> writeString(const Document& doc);

/// `write` into a file at `path`.
Status writeFile(const Document& doc, const std::string& path);

/// The document as `write` completes it (handles, owners, standard objects), for callers
/// that need the handles the writer will use.
Document prepareForWrite(const Document& doc);

}  // namespace host::dxf
