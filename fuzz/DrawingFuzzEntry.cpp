#include "DrawingFuzzEntry.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "host/db/Database.h"
#include "host/db/Scene.h"
#include "host/render/Render.h"
#include "platform/Paths.h"
#include "zcdbheaders.h"

namespace host::fuzz {
namespace {

[[noreturn]] void broken(const char* what, Zcad::ErrorStatus es) {
    std::fprintf(stderr, "drawing path broken: %s (status %d)\n", what, static_cast<int>(es));
    __builtin_trap();
}

std::string tempFile(const char* name) {
    return "/tmp/tavrix_fuzz_" + std::to_string(::getpid()) + "_" + name + ".dwg";
}

}  // namespace

void drawingFileInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = tempFile("in"), output = tempFile("out");
    // Files must end with their EOF group; every input gets one (the reader stops at the
    // first) so that the mapping into the database is reached rather than refused at the door.
    std::ofstream(input, std::ios::binary)
        << std::string_view(reinterpret_cast<const char*>(data), size) << "\n  0\nEOF\n";
    {
        ZcDbDatabase sign(false, true);
        if (sign.readDwgFile(platform::toWindowsPath(input).c_str()) == Zcad::eOk) {
            host::render::Scene scene = host::db::blockScene(sign.modelSpaceId());
            (void)host::render::makePreviewIcon(scene);
            (void)host::render::makeThumbnail(scene, 32, 24);
            ZcDbDatabase work(true, true);
            ZcDbObjectId block;
            Zcad::ErrorStatus inserted = work.insert(block, L"SIGN", &sign);
            // A cycle or too deep a nesting of the file's blocks is refused; all else inserts.
            if (inserted != Zcad::eOk && inserted != Zcad::eCannotNestBlockDefinitions) broken("insert", inserted);
            if (inserted == Zcad::eOk) {
                ZcDbBlockTableRecord::PreviewIcon icon;
                if (auto* record = ZcDbBlockTableRecord::cast(host::db::peekObject(block))) (void)record->getPreviewIcon(icon);
            }
            if (Zcad::ErrorStatus es = sign.saveAs(platform::toWindowsPath(output).c_str()); es != Zcad::eOk)
                broken("save", es);
            ZcDbDatabase back(false, true);
            if (Zcad::ErrorStatus es = back.readDwgFile(platform::toWindowsPath(output).c_str()); es != Zcad::eOk)
                broken("read what was saved", es);
        }
    }
    std::remove(input.c_str());
    std::remove(output.c_str());
}

}  // namespace host::fuzz
