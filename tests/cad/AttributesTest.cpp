// Tests of the attribute wrappers: tags, values and finding an attribute's definition.
#include "CadTestSupport.h"
#include "cad/Attributes.h"
#include "cad/BlockDef.h"
#include "cad/BlockInserter.h"
#include "cad/BlockIns.h"

namespace {

using cadtest::CadTest;

class CadAttributesTest : public CadTest {
protected:
    /// A reference of a new block "Sign" with the given definitions; its attributes.
    ZcDbObjectIdArray placeSign(std::initializer_list<ZcDbEntity*> definitions) {
        defineBlock(L"Sign", definitions);
        BlockInserter inserter;
        EXPECT_EQ(inserter.insert(L"Sign", ZcGePoint3d(0, 0, 0), 1.0, 0.0), 0);
        return ZWBlockIns(inserter.reference->objectId()).attributes();
    }
};

TEST_F(CadAttributesTest, FindsTheDefinitionOfTheSameTagWithoutRegardToCase) {
    ZcDbObjectIdArray attributes = placeSign({attributeDefinition(ZcGePoint3d(0, 0, 0), L"Name"),
                                              attributeDefinition(ZcGePoint3d(0, 5, 0), L"Desc")});
    ASSERT_EQ(attributes.length(), 2);
    ZcDbObjectIdArray definitions = ZWBlockDef(L"Sign").attributeDefinitions();

    // The attribute keeps the definition's tag; an attribute whose tag differs only in case
    // still finds it.
    ZcDbAttribute* attribute = nullptr;
    ASSERT_EQ(zcdbOpenObject(attribute, attributes[1], ZcDb::kForWrite), Zcad::eOk);
    attribute->setTag(L"DESC");
    attribute->close();

    EXPECT_EQ(ZWAttributeReference(attributes[0]).findDefinition(), definitions[0]);
    EXPECT_EQ(ZWAttributeReference(attributes[1]).findDefinition(), definitions[1]);
    EXPECT_EQ(ZWAttributeDefinition(definitions[1]).tag(), L"Desc");
}

TEST_F(CadAttributesTest, FindDefinitionGivesTheNullIdOnEveryFailure) {
    ZcDbObjectIdArray attributes = placeSign({attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME")});
    ASSERT_EQ(attributes.length(), 1);

    ZcDbAttribute* attribute = nullptr;
    ASSERT_EQ(zcdbOpenObject(attribute, attributes[0], ZcDb::kForWrite), Zcad::eOk);
    attribute->setTag(L"OTHER");
    attribute->close();
    EXPECT_TRUE(ZWAttributeReference(attributes[0]).findDefinition().isNull());

    ZcDbObjectId line = append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0)));
    EXPECT_TRUE(ZWAttributeReference(line).findDefinition().isNull());
    EXPECT_TRUE(ZWAttributeReference(ZcDbObjectId::kNull).findDefinition().isNull());
    erase(attributes[0]);
    EXPECT_TRUE(ZWAttributeReference(attributes[0]).findDefinition().isNull());
    EXPECT_TRUE(ZWAttributeReference(attributes[0]).textString().IsEmpty());
}

TEST_F(CadAttributesTest, ClassTestsTellDefinitionsFromAttributes) {
    ZcDbObjectIdArray attributes = placeSign({attributeDefinition(ZcGePoint3d(0, 0, 0), L"NAME", L"Exit")});
    ASSERT_EQ(attributes.length(), 1);
    ZcDbObjectId definition = ZWBlockDef(L"Sign").attributeDefinitions()[0];
    EXPECT_TRUE(ZWAttributeReference(attributes[0]).isAttribute());
    EXPECT_FALSE(ZWAttributeReference(definition).isAttribute());
    EXPECT_TRUE(ZWAttributeDefinition(definition).isAttributeDefinition());
    EXPECT_FALSE(ZWAttributeDefinition(attributes[0]).isAttributeDefinition());
    EXPECT_EQ(ZWAttributeReference(attributes[0]).textString(), L"Exit");
    EXPECT_TRUE(ZWAttributeReference(definition).tag().IsEmpty());
}

}  // namespace
