// The sample sign library and floor plan of the installation: what the library must hold,
// the sheets' geometry and attributes, the fall-backs, and that every file survives the
// drawing codec and loads in another program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

#include "host/db/Database.h"
#include "host/dxf/Reader.h"
#include "host/render/Render.h"
#include "platform/Paths.h"
#include "platform/Session.h"
#include "zcdbheaders.h"

namespace fs = std::filesystem;

namespace {

const fs::path kInstall = TAVRIX_INSTALL_DIR;
const fs::path kSigns = kInstall / "Templates" / "Signs";
const char* const kFamilies[] = {"Safe condition", "Fire equipment", "Mandatory", "Prohibition", "Warning"};

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::wstring win(const fs::path& path) { return platform::toWindowsPath(path.string()); }

/// Every file named as a sign (*.dwg) in the family folders.
std::vector<fs::path> signFiles() {
    std::vector<fs::path> files;
    for (const char* family : kFamilies)
        for (const auto& entry : fs::directory_iterator(kSigns / family))
            if (entry.path().extension() == ".dwg") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::unique_ptr<ZcDbDatabase> open(const fs::path& path, Zcad::ErrorStatus* status = nullptr) {
    auto db = std::make_unique<ZcDbDatabase>(false, true);
    Zcad::ErrorStatus es = db->readDwgFile(win(path).c_str());
    if (status) *status = es;
    return db;
}

std::vector<ZcDbEntity*> entitiesOf(ZcDbObjectId block) {
    std::vector<ZcDbEntity*> out;
    auto* record = ZcDbBlockTableRecord::cast(host::db::peekObject(block));
    if (record)
        for (ZcDbObjectId id : record->entityIds())
            if (auto* e = ZcDbEntity::cast(host::db::peekObject(id))) out.push_back(e);
    return out;
}

/// "Name;Description" lines of Alias.csv, the descriptions decoded from Windows-1250 (only
/// the characters the library uses beyond ASCII).
std::map<std::wstring, std::wstring> aliases() {
    std::map<std::wstring, std::wstring> out;
    std::istringstream lines(bytesOf(kSigns / "Alias.csv"));
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t semicolon = line.find(';');
        if (semicolon == std::string::npos) continue;
        std::wstring description;
        for (char c : line.substr(semicolon + 1)) {
            auto u = static_cast<unsigned char>(c);
            description += u == 0x96 ? L'\u2013' : u == 0xB0 ? L'\u00b0' : static_cast<wchar_t>(u);
        }
        out[platform::fromUtf8(line.substr(0, semicolon))] = description;
    }
    return out;
}

bool haveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

TEST(SampleLibraryTest, HoldsTheFamiliesAndTheSignsTheDemoNeeds) {
    for (const char* family : kFamilies) EXPECT_TRUE(fs::is_directory(kSigns / family)) << family;
    const std::pair<const char*, const char*> required[] = {
        {"Safe condition", "E001"}, {"Safe condition", "E002"}, {"Safe condition", "E003"},
        {"Safe condition", "E004"}, {"Safe condition", "E007"}, {"Fire equipment", "F001"},
        {"Fire equipment", "F002"}, {"Fire equipment", "F005"}, {"Prohibition", "P002"},
        {"Warning", "W001"}};
    for (auto [family, code] : required) EXPECT_TRUE(fs::exists(kSigns / family / (std::string(code) + ".dwg"))) << code;
    int withThumbnail = 0;
    for (const fs::path& file : signFiles()) {
        auto doc = host::dxf::readFile(file.string());
        if (doc && !doc->thumbnail.empty()) ++withThumbnail;
    }
    EXPECT_GE(withThumbnail, 40);
    EXPECT_EQ(bytesOf(kInstall / "Tavrix.pdf").substr(0, 5), "%PDF-");  // the manual TavrixHelp opens
}

TEST(SampleLibraryTest, EverySignIsATenByTenSheetWithItsAttributesAndPicture) {
    const auto descriptions = aliases();
    int signs = 0;
    for (const fs::path& file : signFiles()) {
        if (file.stem() == "W099") continue;  // the file that is not a drawing
        SCOPED_TRACE(file.string());
        ++signs;
        Zcad::ErrorStatus es;
        auto db = open(file, &es);
        ASSERT_EQ(es, Zcad::eOk);
        EXPECT_EQ(db->insbase(), ZcGePoint3d(5, 5, 0));
        ZcDbExtents all;
        std::map<std::wstring, const ZcDbAttributeDefinition*> defs;
        for (ZcDbEntity* e : entitiesOf(db->modelSpaceId())) {
            if (auto* def = ZcDbAttributeDefinition::cast(e)) defs[def->tagConst()] = def;
            ZcDbExtents box;
            if (e->getGeomExtents(box) == Zcad::eOk) all.addExt(box);
        }
        // Within the 10 x 10 sheet, and filling it (a triangle is less high than wide).
        EXPECT_GE(all.minPoint().x, -1e-9);
        EXPECT_GE(all.minPoint().y, -1e-9);
        EXPECT_LE(all.maxPoint().x, 10 + 1e-9);
        EXPECT_LE(all.maxPoint().y, 10 + 1e-9);
        EXPECT_GE(all.maxPoint().x - all.minPoint().x, 9.5);
        EXPECT_GE(all.maxPoint().y - all.minPoint().y, 8.5);

        const std::wstring code = file.stem().wstring();
        ASSERT_TRUE(defs.count(L"CODE") && defs.count(L"DESC") && defs.count(L"REV"));
        EXPECT_STREQ(defs[L"CODE"]->textStringConst(), code.c_str());
        EXPECT_TRUE(defs[L"CODE"]->isPreset());
        EXPECT_FALSE(defs[L"CODE"]->isInvisible());
        EXPECT_TRUE(defs[L"DESC"]->isInvisible());
        EXPECT_TRUE(defs[L"REV"]->isConstant());
        auto alias = descriptions.find(code);
        ASSERT_NE(alias, descriptions.end());
        EXPECT_EQ(alias->second, defs[L"DESC"]->textStringConst());

        auto picture = host::render::readPng((file.parent_path() / (file.stem().string() + ".png")).string());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, 256);
        EXPECT_EQ(picture->height, 256);
        EXPECT_EQ(host::db::openObjectCount(db.get()), 0);
    }
    EXPECT_GE(signs, 40);
    EXPECT_EQ(descriptions.size(), static_cast<std::size_t>(signs));
    // The alias file is 8-bit Windows-1250 text: the en dash is one byte.
    EXPECT_NE(bytesOf(kSigns / "Alias.csv").find("\x96"), std::string::npos);
}

TEST(SampleLibraryTest, SomeSignsHaveNoThumbnailAndOneFileIsNoDrawing) {
    int without = 0;
    for (const fs::path& file : signFiles()) {
        if (file.stem() == "W099") continue;
        HBITMAP__* bitmap = nullptr;
        HPALETTE__* palette = nullptr;
        if (!zcdbGetPreviewBitmapFromDwg(win(file).c_str(), &bitmap, &palette)) {
            ++without;
            EXPECT_TRUE(open(file)->insbase() == ZcGePoint3d(5, 5, 0)) << "still a sign: " << file;
        } else {
            DeleteObject(bitmap);
            if (palette) DeleteObject(palette);
        }
    }
    EXPECT_GE(without, 3);
    Zcad::ErrorStatus es;
    open(kSigns / "Warning" / "W099.dwg", &es);
    EXPECT_NE(es, Zcad::eOk);
}

TEST(SampleLibraryTest, EverySampleFileSurvivesOpenSaveOpen) {
    std::vector<fs::path> files = signFiles();
    files.push_back(kInstall / "Samples" / "Office.dwg");
    const fs::path temp = fs::temp_directory_path() / ("samples_" + std::to_string(::getpid()));
    fs::create_directories(temp);
    for (const fs::path& file : files) {
        if (file.stem() == "W099") continue;
        SCOPED_TRACE(file.string());
        auto db = open(file);
        const fs::path once = temp / "once.dwg", twice = temp / "twice.dwg";
        ASSERT_EQ(db->saveAs(win(once).c_str()), Zcad::eOk);
        auto again = open(once);
        ASSERT_EQ(again->saveAs(win(twice).c_str()), Zcad::eOk);
        // What the generator saved comes back byte for byte: every entity, property and group
        // (a file without a thumbnail gets one when saved, so it matches from then on).
        auto original = host::dxf::readFile(file.string());
        ASSERT_TRUE(original);
        if (!original->thumbnail.empty()) {
            EXPECT_TRUE(bytesOf(once) == bytesOf(file)) << "changed by a round trip";
        }
        EXPECT_TRUE(bytesOf(twice) == bytesOf(once)) << "changed by a second round trip";
        EXPECT_EQ(entitiesOf(again->modelSpaceId()).size(), entitiesOf(db->modelSpaceId()).size());
    }
    fs::remove_all(temp);
}

TEST(SampleLibraryTest, TheGeneratorWritesTheSameFilesEveryTime) {
    const fs::path temp = fs::temp_directory_path() / ("library_" + std::to_string(::getpid()));
    ASSERT_EQ(std::system((std::string("\"") + MAKE_SAMPLE_LIBRARY + "\" \"" + temp.string() + "\"").c_str()), 0);
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(temp)) {
        if (!entry.is_regular_file()) continue;
        const fs::path installed = kInstall / fs::relative(entry.path(), temp);
        EXPECT_EQ(bytesOf(entry.path()), bytesOf(installed)) << installed;
        ++compared;
    }
    EXPECT_GT(compared, 90);
    fs::remove_all(temp);
}

TEST(SampleLibraryTest, EzdxfLoadsTheFloorPlanAndTheSignsWithoutAuditFindings) {
    if (!haveEzdxf()) GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3 (python3-ezdxf)";
    std::string files;
    for (const fs::path& file : signFiles())
        if (file.stem() != "W099") files += " '" + file.string() + "'";
    files += " '" + (kInstall / "Samples" / "Office.dwg").string() + "'";
    const std::string command =
        "/usr/bin/python3 -c \"import sys, ezdxf\n"
        "bad = 0\n"
        "for path in sys.argv[1:]:\n"
        "    doc = ezdxf.readfile(path)\n"
        "    a = doc.audit()\n"
        "    for e in a.errors + a.fixes: print(path, e.message)\n"
        "    bad += len(a.errors) + len(a.fixes) + (len(doc.modelspace()) == 0)\n"
        "sys.exit(min(bad, 100))\"" + files;
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
