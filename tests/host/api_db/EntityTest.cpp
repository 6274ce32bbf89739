// Entities: database defaults, property setters, text transformation, the block
// transform, attributes of references, polylines, multiline texts and extents.
#include <cmath>

#include "StrictDatabaseTest.h"
#include "zcutads.h"

namespace {

class DbEntityTest : public StrictDatabaseTest {};

TEST_F(DbEntityTest, DatabaseDefaultsAndAppendDefaults) {
    ZcDbObjectId walls = addLayer(db(), L"Walls", 3);
    ASSERT_EQ(Zcad::eOk, db()->setClayer(walls));
    ZcCmColor red;
    red.setColorIndex(1);
    db()->setCecolor(red);

    auto* withDefaults = new ZcDbLine({0, 0, 0}, {1, 0, 0});
    withDefaults->setDatabaseDefaults();
    EXPECT_EQ(walls, withDefaults->layerId());
    EXPECT_EQ(1, withDefaults->colorIndex());
    EXPECT_EQ(db()->byLayerLinetype(), withDefaults->linetypeId());
    ZTCHAR* name = withDefaults->layer();
    EXPECT_STREQ(L"Walls", name);
    zcutDelBuffer(name);
    append(withDefaults);

    // Appended without defaults: the layer and linetype are filled in, the colour stays.
    auto* plain = new ZcDbText({0, 0, 0}, L"x");
    ZcDbObjectId id = append(plain);
    ZcDbText* text = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(text, id, ZcDb::kForRead));
    EXPECT_EQ(walls, text->layerId());
    EXPECT_EQ(256, text->colorIndex());
    EXPECT_EQ(db()->textstyle(), text->textStyle());
    EXPECT_DOUBLE_EQ(2.5, text->height());  // TEXTSIZE
    text->close();
}

TEST_F(DbEntityTest, PropertySettersValidate) {
    ZcDbLine line;
    struct Case {
        const char* what;
        Zcad::ErrorStatus got, expected;
    } cases[] = {
        {"color 257", line.setColorIndex(257), Zcad::eInvalidInput},
        {"color 0", line.setColorIndex(0), Zcad::eOk},
        {"unknown layer", line.setLayer(L"Nope"), Zcad::eKeyNotFound},
        {"layer by name", line.setLayer(L"0"), Zcad::eOk},
        {"layer id of a linetype", line.setLayer(db()->continuousLinetype()), Zcad::eWrongObjectType},
        {"linetype", line.setLinetype(L"continuous"), Zcad::eOk},
        {"linetype scale 0", line.setLinetypeScale(0.0), Zcad::eInvalidInput},
        {"line weight 13", line.setLineWeight(ZcDb::kLnWt013), Zcad::eOk},
        {"line weight 14", line.setLineWeight(static_cast<ZcDb::LineWeight>(14)), Zcad::eInvalidInput},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
    EXPECT_EQ(0, line.colorIndex());
    EXPECT_EQ(ZcDb::kLnWt013, line.lineWeight());
}

TEST_F(DbEntityTest, TransformingTextCarriesPositionHeightAndRotation) {
    struct Case {
        const char* what;
        ZcGeMatrix3d m;
        ZcGePoint3d position;
        double height, rotation, widthFactor;
    } cases[] = {
        {"move", ZcGeMatrix3d::translation({100, 100, 0}), {110, 100, 0}, 2.0, 0.0, 1.0},
        {"scale 2 about origin", ZcGeMatrix3d::scaling(2.0), {20, 0, 0}, 4.0, 0.0, 1.0},
        {"rotate 90", ZcGeMatrix3d::rotation(ZcGe::kPi / 2, ZcGeVector3d::kZAxis), {0, 10, 0}, 2.0, ZcGe::kPi / 2, 1.0},
        {"stretch x", ZcGeMatrix3d::scaling(ZcGeScale3d(3, 1, 1)), {30, 0, 0}, 2.0, 0.0, 3.0},
    };
    for (const Case& c : cases) {
        ZcDbAttribute attribute({10, 0, 0}, L"V", L"TAG");
        attribute.setHeight(2.0);
        ASSERT_EQ(Zcad::eOk, attribute.transformBy(c.m)) << c.what;
        EXPECT_TRUE(attribute.position().isEqualTo(c.position, ZcGeTol())) << c.what;
        EXPECT_NEAR(c.height, attribute.height(), 1e-9) << c.what;
        EXPECT_NEAR(c.rotation, attribute.rotation(), 1e-9) << c.what;
        EXPECT_NEAR(c.widthFactor, attribute.widthFactor(), 1e-9) << c.what;
    }
    ZcDbText sheared({0, 0, 0}, L"x");
    ZcGeMatrix3d shear;
    shear.entry[0][1] = 0.5;
    EXPECT_EQ(Zcad::eCannotScaleNonUniformly, sheared.transformBy(shear));
}

TEST_F(DbEntityTest, BlockTransformOfAReference) {
    ZcDbObjectId block = addBlock(db(), L"B", {1, 1, 0});
    struct Case {
        ZcGePoint3d position;
        ZcGeScale3d scale;
        double rotation;
        ZcGePoint3d blockPoint, expected;
    } cases[] = {
        {{100, 100, 0}, ZcGeScale3d(1.0), 0.0, {1, 1, 0}, {100, 100, 0}},  // the base point goes to position
        {{100, 100, 0}, ZcGeScale3d(2.0), 0.0, {11, 1, 0}, {120, 100, 0}},
        {{0, 0, 0}, ZcGeScale3d(1.0), ZcGe::kPi / 2, {2, 1, 0}, {0, 1, 0}},
        {{5, 0, 0}, ZcGeScale3d(2, 3, 1), 0.0, {2, 2, 0}, {7, 3, 0}},
    };
    for (const Case& c : cases) {
        ZcDbBlockReference ref(c.position, block);
        ref.setScaleFactors(c.scale);
        ref.setRotation(c.rotation);
        ZcGeTol tol;
        tol.setEqualPoint(1e-9);
        EXPECT_TRUE((ref.blockTransform() * c.blockPoint).isEqualTo(c.expected, tol));
        // The transform decomposes back into the same placement.
        ZcDbBlockReference other({0, 0, 0}, block);
        ASSERT_EQ(Zcad::eOk, other.setBlockTransform(ref.blockTransform()));
        EXPECT_TRUE(other.position().isEqualTo(c.position, tol));
        EXPECT_TRUE(other.scaleFactors().isEqualTo(c.scale, tol));
        EXPECT_NEAR(c.rotation, other.rotation(), 1e-9);
    }
    EXPECT_EQ(Zcad::eInvalidInput, ZcDbBlockReference().setScaleFactors(ZcGeScale3d(1, 0, 1)));
}

/// The plug-in's way of placing a block with its attributes, in short.
TEST_F(DbEntityTest, AttributesPlacedFromDefinitionsThroughTheBlockTransform) {
    ZcDbObjectId block = addBlock(db(), L"Sign");
    auto* def = new ZcDbAttributeDefinition({10, 0, 0}, L"Default", L"NAME", L"Name?");
    def->setHeight(2.5);
    ZcDbObjectId defId = append(def, db(), block);
    auto* constant = new ZcDbAttributeDefinition({0, 5, 0}, L"C", L"CONST", L"");
    constant->setConstant(true);
    append(constant, db(), block);

    auto* ref = new ZcDbBlockReference;
    ref->setDatabaseDefaults();
    ref->setBlockTableRecord(block);
    ref->setPosition({100, 100, 0});
    ref->setScaleFactors(ZcGeScale3d(2.0));
    ZcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(space, db()->modelSpaceId(), ZcDb::kForWrite));
    ASSERT_EQ(Zcad::eOk, space->appendZcDbEntity(ref));
    space->close();

    ZcDbBlockTableRecord* definition = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(definition, block, ZcDb::kForRead));
    EXPECT_TRUE(definition->hasAttributeDefinitions());
    ZcDbBlockTableRecordIterator* it = nullptr;
    definition->newIterator(it);
    for (; !it->done(); it->step()) {
        ZcDbEntity* e = nullptr;
        ASSERT_EQ(Zcad::eOk, it->getEntity(e, ZcDb::kForRead));
        auto* d = ZcDbAttributeDefinition::cast(e);
        if (!d || d->isConstant()) {
            e->close();
            continue;
        }
        auto* a = new ZcDbAttribute;
        a->setTag(d->tagConst());
        a->setPosition(d->position());
        a->setHeight(d->height());
        a->setAlignmentPoint(d->alignmentPoint());
        a->transformBy(ref->blockTransform());
        a->setTextString(d->textStringConst());
        e->close();
        ASSERT_EQ(Zcad::eOk, ref->appendAttribute(a));
        a->adjustAlignment();
        a->close();
    }
    delete it;
    definition->close();
    ZcDbObjectId refId = ref->objectId();
    ref->close();

    ZcDbBlockReference* placed = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(placed, refId, ZcDb::kForRead));
    ZcDbObjectIterator* attributes = placed->attributeIterator();
    int count = 0;
    for (attributes->start(); !attributes->done(); attributes->step()) {
        ZcDbAttribute* a = nullptr;
        ASSERT_EQ(Zcad::eOk, zcdbOpenObject(a, attributes->objectId(), ZcDb::kForRead));
        EXPECT_TRUE(a->position().isEqualTo({120, 100, 0}));
        EXPECT_DOUBLE_EQ(5.0, a->height());
        EXPECT_STREQ(L"NAME", a->tagConst());
        EXPECT_EQ(refId, a->ownerId());
        a->close();
        ++count;
    }
    delete attributes;
    placed->close();
    EXPECT_EQ(1, count);

    // Erasing the only non-constant definition keeps hasAttributeDefinitions true (the
    // constant one is still there); erasing both makes it false.
    for (ZcDbObjectId each : {defId}) {
        ZcDbEntity* e = nullptr;
        ASSERT_EQ(Zcad::eOk, zcdbOpenZcDbEntity(e, each, ZcDb::kForWrite));
        e->erase();
        e->close();
    }
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(definition, block, ZcDb::kForRead));
    EXPECT_TRUE(definition->hasAttributeDefinitions());
    definition->close();
}

TEST_F(DbEntityTest, HasAttributeDefinitionsFollowsAppendAndErase) {
    ZcDbObjectId block = addBlock(db(), L"B");
    auto has = [&] {
        ZcDbBlockTableRecord* r = nullptr;
        EXPECT_EQ(Zcad::eOk, zcdbOpenObject(r, block, ZcDb::kForRead));
        bool result = r->hasAttributeDefinitions();
        r->close();
        return result;
    };
    EXPECT_FALSE(has());
    append(new ZcDbText({0, 0, 0}, L"not an attribute"), db(), block);
    EXPECT_FALSE(has());
    ZcDbObjectId def = append(new ZcDbAttributeDefinition({0, 0, 0}, L"", L"T", L""), db(), block);
    EXPECT_TRUE(has());
    ZcDbEntity* e = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenZcDbEntity(e, def, ZcDb::kForWrite));
    e->erase();
    e->close();
    EXPECT_FALSE(has());
}

TEST_F(DbEntityTest, MultilineAttributeFormAndAttachmentCodes) {
    ZcDbAttribute attribute({1, 2, 0}, L"Value", L"T");
    attribute.setHeight(3.0);
    EXPECT_FALSE(attribute.isMTextAttribute());
    ZcDbMText* m = attribute.getMTextAttribute();
    ASSERT_NE(nullptr, m);
    EXPECT_STREQ(L"Value", m->contentsConst());
    EXPECT_DOUBLE_EQ(3.0, m->textHeight());
    for (int code : {1, 2, 9, 10, 17, 24})
        EXPECT_EQ(Zcad::eOk, m->setAttachment(code)) << code;
    for (int code : {0, 25, -1})
        EXPECT_EQ(Zcad::eInvalidInput, m->setAttachment(code)) << code;
    m->setAttachment(2);
    m->setContents(L"New");
    ASSERT_EQ(Zcad::eOk, attribute.setMTextAttribute(m));
    delete m;
    EXPECT_TRUE(attribute.isMTextAttribute());
    EXPECT_STREQ(L"New", attribute.textStringConst());
    ZcDbMText* again = attribute.getMTextAttribute();
    EXPECT_EQ(ZcDbMText::kTopCenter, again->attachment());
    delete again;
    // The multiline form moves with the attribute.
    attribute.transformBy(ZcGeMatrix3d::translation({10, 0, 0}));
    again = attribute.getMTextAttribute();
    EXPECT_TRUE(again->location().isEqualTo({11, 2, 0}));
    delete again;
}

TEST_F(DbEntityTest, PolylineLengthAndPointAtDistance) {
    ZcDbPolyline pline;
    pline.addVertexAt(0, {0, 0});
    pline.addVertexAt(1, {10, 0}, 1.0);  // a half circle of radius 5 to (10, 10)
    pline.addVertexAt(2, {10, 10});
    pline.setConstantWidth(0.5);
    EXPECT_EQ(3u, pline.numVerts());
    double end = 0.0, length = 0.0;
    ASSERT_EQ(Zcad::eOk, pline.getEndParam(end));
    ASSERT_EQ(Zcad::eOk, pline.getDistAtParam(end, length));
    EXPECT_NEAR(10.0 + 5.0 * ZcGe::kPi, length, 1e-9);
    ZcGePoint3d p;
    ASSERT_EQ(Zcad::eOk, pline.getPointAtDist(10.0 + 2.5 * ZcGe::kPi, p));
    EXPECT_TRUE(p.isEqualTo({15, 5, 0}, ZcGeTol())) << p.x << "," << p.y;
    EXPECT_EQ(Zcad::eInvalidInput, pline.getPointAtDist(length + 1.0, p));
    double s = 0, e = 0;
    pline.getWidthsAt(1, s, e);
    EXPECT_DOUBLE_EQ(0.5, s);
    EXPECT_EQ(Zcad::eInvalidIndex, pline.setWidthsAt(3, 1, 1));
    ZcDbExtents box;
    ASSERT_EQ(Zcad::eOk, pline.getGeomExtents(box));
    EXPECT_NEAR(15.25, box.maxPoint().x, 1e-6);
}

TEST_F(DbEntityTest, TextExtentsComeFromFontMetrics) {
    ZcDbText text({0, 0, 0}, L"EXIT");
    text.setHeight(10.0);
    ZcDbExtents box;
    ASSERT_EQ(Zcad::eOk, text.getGeomExtents(box));
    double width = box.maxPoint().x - box.minPoint().x;
    EXPECT_GT(width, 20.0);
    EXPECT_LT(width, 60.0);
    EXPECT_NEAR(10.0, box.maxPoint().y, 0.5);  // capitals are the text height tall
    text.setTextString(L"EXITEXIT");
    ZcDbExtents twice;
    ASSERT_EQ(Zcad::eOk, text.getGeomExtents(twice));
    EXPECT_GT(twice.maxPoint().x - twice.minPoint().x, 1.9 * width);

    // Centred text: after adjustAlignment the alignment point sits under the middle.
    text.setHorizontalMode(ZcDb::kTextCenter);
    text.setAlignmentPoint({100, 0, 0});
    ASSERT_EQ(Zcad::eOk, text.adjustAlignment());
    ASSERT_EQ(Zcad::eOk, text.getGeomExtents(box));
    EXPECT_NEAR(100.0, (box.minPoint().x + box.maxPoint().x) / 2, 1.0);
    EXPECT_EQ(Zcad::eInvalidExtents, ZcDbText().getGeomExtents(box));
}

TEST_F(DbEntityTest, ExtendedDataNeedsARegisteredApplication) {
    ZcDbObjectId id = append(new ZcDbLine({0, 0, 0}, {1, 1, 0}));
    ZcDbObject* o = nullptr;
    ASSERT_EQ(Zcad::eOk, zcdbOpenObject(o, id, ZcDb::kForWrite));
    resbuf* data = zcutBuildList(1001, L"BHP", 1040, 2.5, 0);
    EXPECT_EQ(Zcad::eRegappIdNotFound, o->setXData(data));
    ASSERT_EQ(RTNORM, zcdbRegApp(L"BHP"));
    EXPECT_EQ(Zcad::eOk, o->setXData(data));
    zcutRelRb(data);
    resbuf* bad = zcutBuildList(1040, 1.0, 0);  // data without an application
    EXPECT_EQ(Zcad::eInvalidResBuf, o->setXData(bad));
    zcutRelRb(bad);

    resbuf* back = o->xData(L"bhp");
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(1001, back->restype);
    EXPECT_STREQ(L"BHP", back->resval.rstring);
    ASSERT_NE(nullptr, back->rbnext);
    EXPECT_EQ(1040, back->rbnext->restype);
    EXPECT_DOUBLE_EQ(2.5, back->rbnext->resval.rreal);
    EXPECT_EQ(nullptr, back->rbnext->rbnext);
    zcutRelRb(back);
    EXPECT_EQ(nullptr, o->xData(L"OTHER"));
    // An application without data removes that application's data.
    resbuf* clear = zcutBuildList(1001, L"BHP", 0);
    EXPECT_EQ(Zcad::eOk, o->setXData(clear));
    zcutRelRb(clear);
    EXPECT_EQ(nullptr, o->xData());
    o->close();
}

}  // namespace
