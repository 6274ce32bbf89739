// Writes the installation's sample sign library and demo floor plan:
//   make_sample_library INSTALL_DIR [STAMP_FILE]
// INSTALL_DIR/Templates/Signs/<family>/<code>.dwg with a <code>.png picture beside each,
// INSTALL_DIR/Templates/Signs/Alias.csv (Windows-1250), INSTALL_DIR/Samples/Office.dwg and
// the manual INSTALL_DIR/Tavrix.pdf.
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

/// The user manual the help command opens: one page on the commands.
bool writeManual(const fs::path& install) {
    samples::Canvas page;
    page.fillRect({0, 0}, {210, 297}, samples::kWhite);
    page.text({20, 270}, 9, L"Tavrix", samples::kBlack);
    page.text({20, 258}, 4.5, L"Safety and evacuation signs for floor plans", samples::kBlack);
    const wchar_t* lines[] = {
        L"Tavrix - the signs library: pick a sign and place it at points of the plan.",
        L"TavrixDrogaEwakuacyjna - draws an escape route with its arrowheads.",
        L"TavrixJestesTu - places the \"you are here\" mark with its leader and label.",
        L"TavrixReport - counts the selected signs into a table in the drawing.",
        L"TavrixInfo - shows the version banner.",
        L"TavrixHelp - opens this manual.",
        L"",
        L"The library lies in Templates\\Signs of the installation folder: one drawing",
        L"a sign, a picture of the same name beside it, descriptions in Alias.csv.",
    };
    double y = 235;
    for (const wchar_t* line : lines) {
        if (*line) page.text({20, y}, 3.5, line, samples::kBlack);
        y -= 8;
    }
    return page.document((install / "Tavrix.pdf").string(), 595, 842) || fail("cannot write the manual");
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
    if (!writeLibrary(install / "Templates" / "Signs") || !writeFloorPlan(install / "Samples") || !writeManual(install))
        return 1;
    if (argc > 2) std::ofstream(argv[2]) << "sample library written\n";
    return 0;
}
