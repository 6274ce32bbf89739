// Tests of Blocks, drawingBlockNames and removeUnavailable.
#include <filesystem>
#include <fstream>

#include "CadTestSupport.h"
#include "cad/Blocks.h"
#include "platform/Paths.h"

namespace {

using cadtest::CadTest;

using CadBlocksTest = CadTest;

std::vector<std::wstring> namesOf(const CStringArray& list) {
    std::vector<std::wstring> names;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        names.emplace_back(list.GetAt(i).GetString());
    return names;
}

TEST_F(CadBlocksTest, ListsBlocksInTableOrderWithOrWithoutLayouts) {
    defineBlock(L"Exit", {});
    defineBlock(L"Fire", {});
    CStringArray all;
    EXPECT_EQ(Blocks(db).blockNames(all, false), 0);
    EXPECT_EQ(namesOf(all), (std::vector<std::wstring>{L"*Model_Space", L"*Paper_Space", L"Exit", L"Fire"}));

    CStringArray signs;
    signs.Add(L"kept");
    EXPECT_EQ(drawingBlockNames(signs, true), 0);
    EXPECT_EQ(namesOf(signs), (std::vector<std::wstring>{L"kept", L"Exit", L"Fire"}));
}

TEST_F(CadBlocksTest, SkipsErasedAndUnopenableRecords) {
    ZcDbObjectId gone = defineBlock(L"Gone", {});
    ZcDbObjectId held = defineBlock(L"Held", {});
    defineBlock(L"Last", {});
    erase(gone);
    ZcDbObject* writer = nullptr;
    ASSERT_EQ(zcdbOpenObject(writer, held, ZcDb::kForWrite), Zcad::eOk);
    CStringArray names;
    EXPECT_EQ(drawingBlockNames(names, true), 0);
    EXPECT_EQ(namesOf(names), (std::vector<std::wstring>{L"Last"}));
    writer->close();
}

TEST_F(CadBlocksTest, WithoutADatabaseNothingIsListed) {
    CStringArray names;
    EXPECT_EQ(Blocks(nullptr).blockNames(names, false), 221);
    zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    EXPECT_EQ(drawingBlockNames(names, false), 221);
    zcdbHostApplicationServices()->setWorkingDatabase(db);
    EXPECT_EQ(names.GetSize(), 0);
}

TEST_F(CadBlocksTest, RemoveUnavailableKeepsBlocksFilesAndFolders) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "tavrix-cad-blocks";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Sign.dwg") << "0\nEOF\n";
    std::wstring file = platform::toWindowsPath((folder / "Sign.dwg").string());
    std::wstring dir = platform::toWindowsPath(folder.string());
    defineBlock(L"Exit", {});

    CStringArray list;
    for (const wchar_t* entry : {L"gone1", L"gone2", L"EXIT", file.c_str(), L"gone3", L"gone4",
                                 dir.c_str(), L"gone5"})
        list.Add(entry);
    removeUnavailable(list);
    EXPECT_EQ(namesOf(list), (std::vector<std::wstring>{L"EXIT", file, dir}));
    std::filesystem::remove_all(folder);
}

}  // namespace
