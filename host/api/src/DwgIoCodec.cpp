// The drawing-file codec of the host: DXF content under the drawing's file name.
#include <fstream>
#include <iterator>

#include "DwgIo.h"
#include "host/db/Codec.h"
#include "host/db/Scene.h"
#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"
#include "host/render/Render.h"
#include "platform/Paths.h"
#include "zcdbheaders.h"

namespace host::dwgio {
namespace {

Zcad::ErrorStatus readDrawing(ZcDbDatabase& db, const std::wstring& path) {
    std::string file = platform::toUnixPath(path);
    if (file.empty()) return Zcad::eFileNotFound;
    std::ifstream in(file, std::ios::binary);
    if (!in) return Zcad::eFileNotFound;
    std::string buffer((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A drawing cut short would otherwise be repaired into a smaller one without notice:
    // the file must end with its EOF group.
    std::size_t end = buffer.find_last_not_of(" \t\r\n\x1a");
    if (end == std::string::npos || end < 2 || buffer.compare(end - 2, 3, "EOF") != 0) return Zcad::eBadDxfFile;
    auto doc = host::dxf::read(buffer);
    if (!doc) return Zcad::eBadDxfFile;
    Zcad::ErrorStatus es = readDocument(db, std::move(*doc));
    if (es == Zcad::eOk) host::db::setOriginalFileName(&db, path);
    return es;
}

Zcad::ErrorStatus writeDrawing(ZcDbDatabase& db, const std::wstring& path) {
    std::string file = platform::toUnixPath(path);
    if (file.empty()) return Zcad::eFileNotFound;
    host::dxf::Document doc = buildDocument(db);
    doc.thumbnail = host::render::makeThumbnail(host::db::blockScene(db.modelSpaceId()));
    host::dxf::Status st = host::dxf::writeFile(doc, file);
    if (!st) return st.code() == host::dxf::ErrorCode::Io ? Zcad::eFileNotFound : Zcad::eBadDxfFile;
    return Zcad::eOk;
}

bool readThumbnail(const std::wstring& path, std::vector<unsigned char>& dib) {
    std::string file = platform::toUnixPath(path);
    if (file.empty()) return false;
    auto doc = host::dxf::readFile(file);
    if (!doc || doc->thumbnail.empty()) return false;
    const auto& bytes = doc->thumbnail;
    std::size_t skip = bytes.size() > 14 && bytes[0] == 'B' && bytes[1] == 'M' ? 14 : 0;
    dib.assign(bytes.begin() + static_cast<std::ptrdiff_t>(skip), bytes.end());
    return true;
}

const bool registered = [] {
    host::db::setDrawingCodec({readDrawing, writeDrawing, readThumbnail});
    return true;
}();

}  // namespace
}  // namespace host::dwgio
