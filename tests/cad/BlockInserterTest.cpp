// Tests of BlockInserter: the reference, its attributes and the properties they take from
// the attribute definitions.
#include <cmath>

#include "CadTestSupport.h"
#include "cad/Attributes.h"
#include "cad/BlockInserter.h"
#include "cad/BlockIns.h"

#include <zcutads.h>

namespace {

using cadtest::CadTest;
using cadtest::withObject;

class CadBlockInserterTest : public CadTest {
protected:
    /// Inserts name once and returns the new reference's id (null on failure).
    ZcDbObjectId insertOnce(const wchar_t* name, const ZcGePoint3d& at, double scale = 1.0,
                            double rotation = 0.0) {
        BlockInserter inserter;
        if (inserter.insert(name, at, scale, rotation) != 0)
            return ZcDbObjectId::kNull;
        return inserter.reference->objectId();
    }
    ZcDbObjectIdArray attributesOf(ZcDbObjectId reference) { return ZWBlockIns(reference).attributes(); }
};

void expectNear(const ZcGePoint3d& actual, const ZcGePoint3d& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

TEST_F(CadBlockInserterTest, UndefinedBlockGives379AndCreatesNothing) {
    BlockInserter inserter;
    EXPECT_EQ(inserter.insert(L"Missing", ZcGePoint3d(0, 0, 0), 1.0, 0.0), 379);
    EXPECT_EQ(inserter.reference, nullptr);
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

TEST_F(CadBlockInserterTest, PlacesTheReferenceInModelSpaceWithItsGeometry) {
    ZcDbObjectId block = defineBlock(L"Sign", {new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0))});
    ZcDbObjectId id = insertOnce(L"SIGN", ZcGePoint3d(3, 4, 0), 2.5, 0.5);
    ASSERT_FALSE(id.isNull());
    ASSERT_EQ(modelSpaceEntities().length(), 1);
    withObject<ZcDbBlockReference>(id, [&](ZcDbBlockReference& reference) {
        EXPECT_EQ(reference.blockTableRecord(), block);
        EXPECT_EQ(reference.position(), ZcGePoint3d(3, 4, 0));
        EXPECT_EQ(reference.scaleFactors(), ZcGeScale3d(2.5));
        EXPECT_DOUBLE_EQ(reference.rotation(), 0.5);
    });
    EXPECT_TRUE(attributesOf(id).isEmpty());
}

TEST_F(CadBlockInserterTest, InsertsIntoAGivenSpaceAndClosesIt) {
    defineBlock(L"Sign", {});
    ZcDbBlockTableRecord* paper = nullptr;
    ASSERT_EQ(zcdbOpenObject(paper, db->paperSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    BlockInserter inserter;
    ASSERT_EQ(inserter.insert(L"Sign", ZcGePoint3d(0, 0, 0), ZcGeScale3d(1, 2, 3), 0.0, paper), 0);
    EXPECT_EQ(entitiesOf(db->paperSpaceId()).length(), 1);
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

TEST_F(CadBlockInserterTest, ConstantDefinitionsGiveNoAttribute) {
    ZcDbAttributeDefinition* constant = attributeDefinition(ZcGePoint3d(0, 0, 0), L"FIXED");
    constant->setConstant(true);
    defineBlock(L"Sign", {constant, attributeDefinition(ZcGePoint3d(0, 5, 0), L"NAME", L"Exit")});
    ZcDbObjectIdArray attributes = attributesOf(insertOnce(L"Sign", ZcGePoint3d(0, 0, 0)));
    ASSERT_EQ(attributes.length(), 1);
    EXPECT_EQ(ZWAttributeReference(attributes[0]).tag(), L"NAME");
    EXPECT_EQ(ZWAttributeReference(attributes[0]).textString(), L"Exit");
}

TEST_F(CadBlockInserterTest, AttributesFollowTheBlockTransform) {
    defineBlock(L"Sign", {attributeDefinition(ZcGePoint3d(10, 0, 0), L"NAME", L"x", 2.5)});
    ZcDbObjectIdArray attributes = attributesOf(insertOnce(L"Sign", ZcGePoint3d(100, 100, 0), 2.0));
    ASSERT_EQ(attributes.length(), 1);
    withObject<ZcDbAttribute>(attributes[0], [](ZcDbAttribute& attribute) {
        expectNear(attribute.position(), ZcGePoint3d(120, 100, 0));
        EXPECT_DOUBLE_EQ(attribute.height(), 5.0);
    });

    defineBlock(L"Turned", {attributeDefinition(ZcGePoint3d(10, 0, 0), L"NAME", L"x", 1.0)});
    attributes = attributesOf(insertOnce(L"Turned", ZcGePoint3d(0, 0, 0), 1.0, ZcGe::kPi / 2));
    ASSERT_EQ(attributes.length(), 1);
    withObject<ZcDbAttribute>(attributes[0], [](ZcDbAttribute& attribute) {
        expectNear(attribute.position(), ZcGePoint3d(0, 10, 0));
        EXPECT_NEAR(attribute.rotation(), ZcGe::kPi / 2, 1e-9);
    });
}

TEST_F(CadBlockInserterTest, AlignedDefinitionKeepsItsModesAndAlignmentPoint) {
    ZcDbAttributeDefinition* centred = attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME", L"Exit", 2.0);
    centred->setHorizontalMode(ZcDb::kTextCenter);
    centred->setVerticalMode(ZcDb::kTextVertMid);
    centred->setAlignmentPoint(ZcGePoint3d(5, 5, 0));
    defineBlock(L"Sign", {centred});
    ZcDbObjectIdArray attributes = attributesOf(insertOnce(L"Sign", ZcGePoint3d(10, 0, 0)));
    ASSERT_EQ(attributes.length(), 1);
    withObject<ZcDbAttribute>(attributes[0], [](ZcDbAttribute& attribute) {
        EXPECT_EQ(attribute.horizontalMode(), ZcDb::kTextCenter);
        EXPECT_EQ(attribute.verticalMode(), ZcDb::kTextVertMid);
        expectNear(attribute.alignmentPoint(), ZcGePoint3d(15, 5, 0));
    });
}

TEST_F(CadBlockInserterTest, CopiesTheListedPropertiesAndNothingElse) {
    ZcDbObjectId signLayer = layer(L"Signs");
    ZcDbObjectId dashed = linetype(L"Dashed");
    ZcDbObjectId style = textStyle(L"Labels");
    ZcDbAttributeDefinition* definition = attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME", L"Default");
    ZcCmColor red;
    red.setColorIndex(1);
    definition->setColor(red);
    definition->setLayer(signLayer);
    definition->setLinetype(dashed);
    definition->setLinetypeScale(3.0);
    definition->setLineWeight(ZcDb::kLnWt050);
    definition->setTextStyle(style);
    definition->setInvisible(true);
    definition->setPreset(true);
    definition->setVerifiable(true);
    definition->setLockPositionInBlock(true);
    definition->setWidthFactor(0.5);
    definition->setOblique(0.25);
    definition->setThickness(4.0);
    defineBlock(L"Sign", {definition});

    ZcDbObjectIdArray attributes = attributesOf(insertOnce(L"Sign", ZcGePoint3d(0, 0, 0)));
    ASSERT_EQ(attributes.length(), 1);
    withObject<ZcDbAttribute>(attributes[0], [&](ZcDbAttribute& attribute) {
        EXPECT_EQ(attribute.colorIndex(), 1);
        EXPECT_EQ(attribute.layerId(), signLayer);
        EXPECT_EQ(attribute.linetypeId(), dashed);
        EXPECT_EQ(attribute.linetypeScale(), 3.0);
        EXPECT_EQ(attribute.lineWeight(), ZcDb::kLnWt050);
        EXPECT_EQ(attribute.textStyle(), style);
        EXPECT_TRUE(attribute.isInvisible());
        EXPECT_STREQ(attribute.textStringConst(), L"Default");
        EXPECT_FALSE(attribute.isPreset());
        EXPECT_FALSE(attribute.isVerifiable());
        EXPECT_FALSE(attribute.lockPositionInBlock());
        EXPECT_EQ(attribute.widthFactor(), 1.0);
        EXPECT_EQ(attribute.oblique(), 0.0);
        EXPECT_EQ(attribute.thickness(), 0.0);
    });
}

TEST_F(CadBlockInserterTest, MultilineDefinitionGetsTheAttachmentOfItsModes) {
    struct Case {
        ZcDb::TextVertMode vertical;
        ZcDb::TextHorzMode horizontal;
        int attachment;
    };
    const Case cases[] = {
        {ZcDb::kTextTop, ZcDb::kTextCenter, 2},   {ZcDb::kTextBase, ZcDb::kTextLeft, 10},
        {ZcDb::kTextVertMid, ZcDb::kTextMid, 23}, {ZcDb::kTextBottom, ZcDb::kTextFit, 18},
        {ZcDb::kTextTop, ZcDb::kTextAlign, 16},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::wstring name = L"Multi" + std::to_wstring(n++);
        ZcDbAttributeDefinition* definition = attributeDefinition(ZcGePoint3d(0, 0, 0), L"NOTE", L"Line one", 2.0);
        definition->setVerticalMode(c.vertical);
        definition->setHorizontalMode(c.horizontal);
        ASSERT_EQ(definition->convertIntoMTextAttributeDefinition(true), Zcad::eOk);
        defineBlock(name.c_str(), {definition});
        ZcDbObjectIdArray attributes = attributesOf(insertOnce(name.c_str(), ZcGePoint3d(0, 0, 0), 2.0));
        ASSERT_EQ(attributes.length(), 1);
        withObject<ZcDbAttribute>(attributes[0], [&](ZcDbAttribute& attribute) {
            ASSERT_TRUE(attribute.isMTextAttribute());
            const ZcDbMText* text = attribute.mtextForm();
            EXPECT_EQ(text->attachment(), c.attachment) << name;
            EXPECT_DOUBLE_EQ(text->textHeight(), 4.0);
            EXPECT_STREQ(text->contentsConst(), L"Line one");
        });
    }
}

TEST_F(CadBlockInserterTest, AttachmentCodesOutsideTheTableGiveTheVerticalMode) {
    EXPECT_EQ(mtextAttachmentFor(3, 1), 2);
    EXPECT_EQ(mtextAttachmentFor(1, 4), 22);
    EXPECT_EQ(mtextAttachmentFor(2, 6), 2);
    EXPECT_EQ(mtextAttachmentFor(5, 0), 5);
    EXPECT_EQ(mtextAttachmentFor(-1, 0), -1);
}

TEST_F(CadBlockInserterTest, InsertsRepeatedly) {
    defineBlock(L"Sign", {attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME")});
    BlockInserter inserter;
    ASSERT_EQ(inserter.insert(L"Sign", ZcGePoint3d(0, 0, 0), 1.0, 0.0), 0);
    ZcDbObjectId first = inserter.reference->objectId();
    ASSERT_EQ(inserter.insert(L"Sign", ZcGePoint3d(5, 0, 0), 1.0, 0.0), 0);
    EXPECT_NE(inserter.reference->objectId(), first);
    EXPECT_EQ(modelSpaceEntities().length(), 2);
    EXPECT_EQ(attributesOf(first).length(), 1);
}

TEST_F(CadBlockInserterTest, FailedAppendDeletesTheReferenceAndSaysSo) {
    defineBlock(L"Sign", {attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME")});
    ZcDbBlockTableRecord* held = nullptr;
    ASSERT_EQ(zcdbOpenObject(held, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
    // Model space is held for write elsewhere: the inserter's own open fails.
    BlockInserter inserter;
    EXPECT_EQ(inserter.insert(L"Sign", ZcGePoint3d(0, 0, 0), 1.0, 0.0), 221);
    EXPECT_EQ(inserter.reference, nullptr);
    held->close();
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

}  // namespace
