// Tests of DwgBlockImporter: reuse of defined blocks, the file and folder forms of the
// path, the attribute-definition flags and the base point of the imported block.
#include <filesystem>
#include <fstream>

#include <stdlib.h>

#include "CadTestSupport.h"
#include "cad/Attributes.h"
#include "cad/BlockDef.h"
#include "cad/BlockInserter.h"
#include "cad/BlockIns.h"
#include "cad/Blocks.h"
#include "cad/DwgBlockImporter.h"
#include "host/db/Database.h"
#include "platform/Paths.h"

namespace {

using cadtest::CadTest;
using cadtest::withObject;

class CadDwgBlockImporterTest : public CadTest {
protected:
    void SetUp() override {
        CadTest::SetUp();
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrix-cad-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::filesystem::create_directories(root_ / "Lib");
        std::filesystem::copy_file(std::filesystem::path(TAVRIX_CAD_DATA_DIR) / "Sign.dwg", root_ / "Lib" / "Exit.dwg");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        CadTest::TearDown();
    }

    /// The Windows path of a path below the temporary folder.
    CString pathOf(const std::string& relative) const {
        return CString(platform::toWindowsPath((root_ / relative).string()).c_str());
    }
    CString libraryFolder() const { return pathOf("Lib") + L"\\"; }

    int blockCount() {
        CStringArray names;
        drawingBlockNames(names, false);
        return static_cast<int>(names.GetSize());
    }

    /// The flag bits (1 invisible, 2 constant, 4 verifiable, 8 preset, 16 lock position) of
    /// the block's attribute definition tag.
    int flagsOf(const wchar_t* block, const wchar_t* tag) {
        int flags = -1;
        for (const ZcDbObjectId& id : ZWBlockDef(block).attributeDefinitions())
            withObject<ZcDbAttributeDefinition>(id, [&](ZcDbAttributeDefinition& definition) {
                if (std::wstring(definition.tagConst()) == tag)
                    flags = (definition.isInvisible() ? 1 : 0) | (definition.isConstant() ? 2 : 0) |
                            (definition.isVerifiable() ? 4 : 0) | (definition.isPreset() ? 8 : 0) |
                            (definition.lockPositionInBlock() ? 16 : 0);
            });
        return flags;
    }

    std::filesystem::path root_;
};

TEST_F(CadDwgBlockImporterTest, ExistingBlockIsUsedAndNothingIsRead) {
    ZcDbObjectId block = defineBlock(L"EXIT", {new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0))});
    DwgBlockImporter importer(cadtest::dataFile("Sign.dwg"), L"Exit");
    EXPECT_EQ(importer.import(), 0);
    EXPECT_EQ(importer.sourceDatabase, nullptr);
    EXPECT_EQ(importer.status, 374);
    EXPECT_EQ(importer.blockName, L"Exit");
    EXPECT_EQ(entitiesOf(block).length(), 1);
}

TEST_F(CadDwgBlockImporterTest, FileTitleNamingAnExistingBlockGivesThatBlocksName) {
    defineBlock(L"SIGN", {});
    int before = blockCount();
    DwgBlockImporter importer(cadtest::dataFile("Sign.dwg"), L"Wanted");
    EXPECT_EQ(importer.import(), 0);
    EXPECT_EQ(importer.blockName, L"SIGN");
    EXPECT_EQ(importer.sourceDatabase, nullptr);
    EXPECT_EQ(blockCount(), before);
}

TEST_F(CadDwgBlockImporterTest, MissingFileOrFolderEntryGives76AndCreatesNothing) {
    int before = blockCount();
    DwgBlockImporter missingFile(pathOf("Lib/None.dwg"), L"None");
    EXPECT_EQ(missingFile.import(), 76);
    DwgBlockImporter missingInFolder(libraryFolder(), L"None");
    EXPECT_EQ(missingInFolder.import(), 76);
    EXPECT_EQ(missingInFolder.path, libraryFolder() + L"None.dwg");
    DwgBlockImporter missingFolder(pathOf("Nowhere") + L"\\", L"Exit");
    EXPECT_EQ(missingFolder.import(), 76);
    EXPECT_EQ(blockCount(), before);
    EXPECT_EQ(missingFile.sourceDatabase, nullptr);
}

TEST_F(CadDwgBlockImporterTest, EmptyBlockNameNamesTheBlockAfterTheFile) {
    DwgBlockImporter importer(cadtest::dataFile("Sign.dwg"), L"");
    ASSERT_EQ(importer.import(), 0) << zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(importer.status));
    EXPECT_EQ(importer.blockName, L"Sign");
    ZWBlockDef block(L"Sign");
    ASSERT_TRUE(block.isBlockDefinition());
    EXPECT_EQ(block.entityIds().length(), 5);
    EXPECT_NE(importer.sourceDatabase, nullptr);
    EXPECT_FALSE(importer.sourceModelSpaceId.isNull());
    EXPECT_EQ(importer.targetDatabase, db);
}

TEST_F(CadDwgBlockImporterTest, FolderPathReadsTheFileNamedAfterTheBlock) {
    DwgBlockImporter importer(libraryFolder(), L"Exit");
    ASSERT_EQ(importer.import(), 0);
    EXPECT_EQ(importer.path, libraryFolder() + L"Exit.dwg");
    EXPECT_TRUE(ZWBlockDef(L"Exit").isBlockDefinition());
}

TEST_F(CadDwgBlockImporterTest, ImportedBlockHasItsBaseAtTheOrigin) {
    // The sign file declares its insertion base at (5, 5, 0).
    DwgBlockImporter importer(cadtest::dataFile("Sign.dwg"), L"Placed");
    ASSERT_EQ(importer.import(), 0);
    withObject<ZcDbBlockTableRecord>(ZWBlockDef(L"Placed").id, [](ZcDbBlockTableRecord& record) {
        EXPECT_EQ(record.origin(), ZcGePoint3d(0, 0, 0));
    });
}

TEST_F(CadDwgBlockImporterTest, AttributeDefinitionFlagsComeFromTheFile) {
    DwgBlockImporter importer(cadtest::dataFile("Sign.dwg"), L"Flags");
    ASSERT_EQ(importer.import(), 0);
    EXPECT_EQ(flagsOf(L"Flags", L"NAME"), 1 | 8);
    EXPECT_EQ(flagsOf(L"Flags", L"DESC"), 4);
    EXPECT_EQ(flagsOf(L"Flags", L"FIXED"), 2);
    EXPECT_EQ(host::db::openObjectCount(importer.sourceDatabase), 0);
}

TEST_F(CadDwgBlockImporterTest, ImportedSignIsInsertedWithItsNonConstantAttributes) {
    DwgBlockImporter importer(libraryFolder(), L"Exit");
    ASSERT_EQ(importer.import(), 0);
    BlockInserter inserter;
    ASSERT_EQ(inserter.insert(importer.blockName, ZcGePoint3d(100, 0, 0), 2.0, 0.0), 0);
    ZcDbObjectIdArray attributes = ZWBlockIns(inserter.reference->objectId()).attributes();
    ASSERT_EQ(attributes.length(), 2);
    EXPECT_EQ(ZWAttributeReference(attributes[0]).textString(), L"Exit");
    EXPECT_EQ(ZWAttributeReference(attributes[1]).textString(), L"Emergency exit");
    withObject<ZcDbAttribute>(attributes[0], [](ZcDbAttribute& name) {
        EXPECT_TRUE(name.isInvisible());
        // Definition at (1, 2) in a block based at the origin, scaled by 2 from (100, 0).
        EXPECT_NEAR(name.position().x, 102.0, 1e-9);
        EXPECT_NEAR(name.position().y, 4.0, 1e-9);
    });
}

TEST_F(CadDwgBlockImporterTest, UnreadableFileGivesTheHostsStatusAndNoBlock) {
    // A binary drawing, which the codec does not read.
    std::ofstream(root_ / "Lib" / "Broken.dwg", std::ios::binary) << std::string("AC1032\0\0\0\0\0\x01\x02\xff", 14);
    int before = blockCount();
    DwgBlockImporter importer(pathOf("Lib/Broken.dwg"), L"Broken");
    int result = importer.import();
    EXPECT_NE(result, 0);
    EXPECT_EQ(result, importer.status);
    EXPECT_EQ(blockCount(), before);
}

TEST_F(CadDwgBlockImporterTest, TagSearchReportsEntitiesThatFailToOpenAndGoesOn) {
    ZcDbObjectId held = defineBlock(L"Sign", {new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0))});
    ZcDbObjectId line = entitiesOf(held)[0];
    ZcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(zcdbOpenObject(record, held, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId other, wanted;
    ZcDbAttributeDefinition* first = attributeDefinition(ZcGePoint3d(0, 0, 0), L"OTHER");
    ZcDbAttributeDefinition* second = attributeDefinition(ZcGePoint3d(0, 0, 0), L"Name");
    record->appendZcDbEntity(other, first);
    record->appendZcDbEntity(wanted, second);
    first->close();
    second->close();
    record->close();

    ZcDbEntity* writer = nullptr;
    ASSERT_EQ(zcdbOpenZcDbEntity(writer, line, ZcDb::kForWrite), Zcad::eOk);
    takeTranscript();
    DwgBlockImporter importer(L"", L"Sign");
    ZcDbAttributeDefinition* found = nullptr;
    EXPECT_EQ(importer.findAttributeDefinition(L"NAME", found), 0);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->objectId(), wanted);
    EXPECT_TRUE(found->isWriteEnabled());
    found->close();
    writer->close();
    EXPECT_EQ(takeTranscript(), L"\n es: eWasOpenForWrite\n");

    EXPECT_EQ(importer.findAttributeDefinition(L"MISSING", found), 0);
    EXPECT_EQ(found, nullptr);
    DwgBlockImporter noBlock(L"", L"NoSuchBlock");
    EXPECT_NE(noBlock.findAttributeDefinition(L"NAME", found), 0);
    EXPECT_EQ(found, nullptr);
}

}  // namespace
