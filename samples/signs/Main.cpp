// Writes the installation's sample sign library and demo floor plan:
//   make_sample_library INSTALL_DIR [STAMP_FILE]
// INSTALL_DIR/Templates/Signs/<family>/<code>.dwg with a <code>.png picture beside each,
// INSTALL_DIR/Templates/Signs/Alias.csv (Windows-1250), INSTALL_DIR/Samples/Office.dwg.
// The output is the same, byte for byte, on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Catalogue.h"
#include "FloorPlan.h"
#include "host/dxf/Reader.h"
#include "host/dxf/Writer.h"
#include "platform/Session.h"

namespace fs = std::filesystem;

namespace {

/// The description in Windows-1250; characters the code page lacks become '?'.
std::string windows1250(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c < 0x80) out += static_cast<char>(c);
        else if (c == L'\u2013') out += '\x96';  // en dash
        else if (c == L'\u00b0') out += '\xb0';  // degree sign
        else out += '?';
    }
    return out;
}

/// Rewrites a saved drawing without its stored thumbnail.
bool dropThumbnail(const std::string& path) {
    auto doc = host::dxf::readFile(path);
    if (!doc) return false;
    doc->thumbnail.clear();
    return static_cast<bool>(host::dxf::writeFile(*doc, path));
}

bool fail(const std::string& what) {
    std::fprintf(stderr, "make_sample_library: %s\n", what.c_str());
    return false;
}

bool writeLibrary(const fs::path& signs) {
    std::string aliases;
    for (const samples::Sign& sign : samples::catalogue()) {
        const fs::path folder = signs / samples::familyFolder(sign.family);
        fs::create_directories(folder);
        const std::string code = platform::toUtf8(sign.code);
        const std::string drawing = (folder / (code + ".dwg")).string();
        samples::Canvas canvas;
        canvas.db().setInsbase(ZcGePoint3d(5, 5, 0));
        samples::drawSign(canvas, sign);
        if (!canvas.save(drawing)) return fail("cannot write " + drawing);
        if (!sign.thumbnail && !dropThumbnail(drawing)) return fail("cannot rewrite " + drawing);
        if (!canvas.picture((folder / (code + ".png")).string(), 256)) return fail("cannot draw " + code);
        aliases += code + ";" + windows1250(sign.description) + "\r\n";
    }
    // A file named as a sign that is not a drawing: the library shows its fall-back.
    std::ofstream(signs / "Warning" / "W099.dwg", std::ios::binary) << "This file is not a drawing.\r\n";
    std::ofstream(signs / "Alias.csv", std::ios::binary) << aliases;
    return true;
}

bool writeFloorPlan(const fs::path& folder) {
    fs::create_directories(folder);
    samples::Canvas canvas;
    samples::drawFloorPlan(canvas);
    return canvas.save((folder / "Office.dwg").string()) || fail("cannot write the floor plan");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_sample_library INSTALL_DIR [STAMP_FILE]\n");
        return 2;
    }
    const fs::path install = argv[1];
    if (!writeLibrary(install / "Templates" / "Signs") || !writeFloorPlan(install / "Samples")) return 1;
    if (argc > 2) std::ofstream(argv[2]) << "sample library written\n";
    return 0;
}
