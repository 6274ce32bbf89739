// The pluggable drawing-file codec behind ZcDbDatabase::readDwgFile / saveAs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "zcadstrc.h"

class ZcDbDatabase;

namespace host::db {

/// Reads and writes drawing files. `read` fills an empty database (built without a default
/// drawing; the database is cleared before the call and again when read fails), `write`
/// stores one; both get the path as the caller gave it (a Windows path) and return the
/// host status of the outcome. `readThumbnail` gives the preview stored in a drawing file
/// (a device-independent bitmap without file header), false when there is none.
struct DrawingCodec {
    std::function<Zcad::ErrorStatus(ZcDbDatabase& db, const std::wstring& path)> read;
    std::function<Zcad::ErrorStatus(ZcDbDatabase& db, const std::wstring& path)> write;
    std::function<bool(const std::wstring& path, std::vector<unsigned char>& dib)> readThumbnail;
};

/// Installs the codec (replacing any earlier one); an empty struct removes it, after which
/// readDwgFile and saveAs return eNotImplementedYet.
ZCAD_PORT void setDrawingCodec(DrawingCodec codec);
ZCAD_PORT const DrawingCodec& drawingCodec();

}  // namespace host::db
