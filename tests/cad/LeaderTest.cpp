// Tests of UIS_Leader: creation from two points, drawing point by point, and the leader's
// arrowhead, size, annotation and end point.
#include "CadTestSupport.h"
#include "cad/Leader.h"

#include <zcedads.h>

namespace {

using cadtest::CadTest;
using cadtest::withObject;

class CadLeaderTest : public CadTest {
protected:
    void SetUp() override {
        CadTest::SetUp();
        resbuf value{};
        value.restype = RTREAL;
        value.resval.rreal = 4.0;
        zcedSetVar(L"DIMASZ", &value);
        value.resval.rreal = 2.0;
        zcedSetVar(L"DIMSCALE", &value);
    }

    std::vector<ZcGePoint3d> verticesOf(ZcDbObjectId id) {
        std::vector<ZcGePoint3d> vertices;
        withObject<ZcDbLeader>(id, [&](ZcDbLeader& leader) {
            for (int i = 0; i < leader.numVertices(); ++i)
                vertices.push_back(leader.vertexAt(i));
        });
        return vertices;
    }
};

void expectNear(const ZcGePoint3d& actual, const ZcGePoint3d& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

TEST_F(CadLeaderTest, ReadsArrowSizeAndDimensionScaleFromTheSystemVariables) {
    UIS_Leader leader;
    EXPECT_EQ(leader.arrowSize, 4.0);
    EXPECT_EQ(leader.dimScale, 2.0);
    EXPECT_EQ(leader.leader, nullptr);
}

TEST_F(CadLeaderTest, PointsCloserThanTheMinimumGive2AndCreateNothing) {
    UIS_Leader leader;
    EXPECT_EQ(leader.create(ZcGePoint3d(1, 1, 0), ZcGePoint3d(1.000005, 1, 0)), 2);
    EXPECT_EQ(leader.leader, nullptr);
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

TEST_F(CadLeaderTest, FlatLeaderStartsAtTheSecondPointInModelSpace) {
    UIS_Leader leader;
    ASSERT_EQ(leader.create(ZcGePoint3d(10, 5, 0), ZcGePoint3d(2, 3, 0)), 0);
    ZcDbObjectId id = leader.objectId();
    ASSERT_EQ(modelSpaceEntities().length(), 1);
    EXPECT_EQ(modelSpaceEntities()[0], id);
    std::vector<ZcGePoint3d> vertices = verticesOf(id);
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_EQ(vertices[0], ZcGePoint3d(2, 3, 0));
    EXPECT_EQ(vertices[1], ZcGePoint3d(10, 5, 0));
    withObject<ZcDbLeader>(id, [](ZcDbLeader& created) {
        EXPECT_EQ(created.dimasz(), 4.0);
        EXPECT_EQ(created.dimscale(), 2.0);
    });
}

TEST_F(CadLeaderTest, RaisedPointsAreSwappedRotatedAndMoved) {
    const ZcGePoint3d p1(3, 4, 5);
    const ZcGePoint3d p2(7, 1, 2);
    UIS_Leader leader;
    ASSERT_EQ(leader.create(p1, p2), 0);
    ZcGeMatrix3d placement =
        ZcGeMatrix3d::translation(ZcGeVector3d(p1.x, p1.y, 0)) *
        ZcGeMatrix3d::rotation(1.5707963267948966, ZcGeVector3d(0, -1, 0), ZcGePoint3d::kOrigin);
    std::vector<ZcGePoint3d> vertices = verticesOf(leader.objectId());
    ASSERT_EQ(vertices.size(), 2u);
    expectNear(vertices[0], placement * ZcGePoint3d(p1.z, p1.y, p1.x));
    expectNear(vertices[1], placement * ZcGePoint3d(p2.z, p2.y, p2.x));
    // The rotation about -Y turns (z, y, x) into (-x, y, z) before the move.
    expectNear(vertices[0], ZcGePoint3d(0, 8, 5));
}

TEST_F(CadLeaderTest, DrawAddsOneVertexPerPickedPointUntilEnter) {
    session->feed({L"10,0", L"10,10", L"20,10", L""});
    UIS_Leader leader;
    ASSERT_EQ(leader.draw(ZcGePoint3d(0, 0, 0), L"Next point"), 0);
    std::vector<ZcGePoint3d> vertices = verticesOf(leader.objectId());
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_EQ(vertices[0], ZcGePoint3d(0, 0, 0));
    EXPECT_EQ(vertices[1], ZcGePoint3d(10, 0, 0));
    EXPECT_EQ(vertices[3], ZcGePoint3d(20, 10, 0));
    std::wstring transcript = takeTranscript();
    EXPECT_EQ(transcript.rfind(L"\nNext point: ", 0), 0u);
}

TEST_F(CadLeaderTest, DrawWithoutAFirstPointGives180) {
    session->feed({L"ESC"});
    UIS_Leader leader;
    EXPECT_EQ(leader.draw(ZcGePoint3d(0, 0, 0), L"Next point"), 180);
    EXPECT_EQ(leader.leader, nullptr);
    session->feed({L"0,0.000001"});
    EXPECT_EQ(leader.draw(ZcGePoint3d(0, 0, 0), L"Next point"), 2);
    EXPECT_TRUE(modelSpaceEntities().isEmpty());
}

TEST_F(CadLeaderTest, DrawContinuesAHeldLeader) {
    UIS_Leader leader;
    ASSERT_EQ(leader.create(ZcGePoint3d(5, 0, 0), ZcGePoint3d(0, 0, 0)), 0);
    session->feed({L"5,5", L"ESC"});
    ASSERT_EQ(leader.draw(ZcGePoint3d(5, 0, 0), L"Next point"), 0);
    std::vector<ZcGePoint3d> vertices = verticesOf(leader.objectId());
    ASSERT_EQ(vertices.size(), 3u);
    EXPECT_EQ(vertices[2], ZcGePoint3d(5, 5, 0));
}

TEST_F(CadLeaderTest, ArrowBlockSizeAnnotationAndEndPoint) {
    UIS_Leader leader;
    ASSERT_EQ(leader.create(ZcGePoint3d(10, 5, 0), ZcGePoint3d(2, 3, 0)), 0);
    EXPECT_NE(leader.close(), 0);  // create closed it already
    EXPECT_EQ(leader.setArrowBlock(L"Dot"), 0);
    leader.setArrowSize(7.5);
    EXPECT_EQ(leader.arrowSize, 7.5);
    ZcGePoint3d end;
    EXPECT_EQ(leader.endPoint(end), 0);
    EXPECT_EQ(end, ZcGePoint3d(10, 5, 0));

    auto* text = new ZcDbMText();
    text->setLocation(end);
    text->setContents(L"You are here");
    ZcDbObjectId textId = append(text);
    EXPECT_EQ(leader.attachAnnotation(textId), 0);
    EXPECT_NE(leader.attachAnnotation(ZcDbObjectId::kNull), 0);

    withObject<ZcDbLeader>(leader.objectId(), [&](ZcDbLeader& created) {
        EXPECT_EQ(created.dimasz(), 7.5);
        EXPECT_EQ(created.annotationObjId(), textId);
        EXPECT_FALSE(created.dimldrblk().isNull());
    });
}

TEST_F(CadLeaderTest, OperationsWithoutALeaderGive20) {
    UIS_Leader leader;
    ZcGePoint3d end;
    EXPECT_EQ(leader.setArrowBlock(L"Dot"), 20);
    EXPECT_EQ(leader.attachAnnotation(ZcDbObjectId::kNull), 20);
    EXPECT_EQ(leader.endPoint(end), 20);
    EXPECT_EQ(leader.close(), 20);
    EXPECT_TRUE(leader.objectId().isNull());
    leader.setArrowSize(3.0);
    EXPECT_EQ(leader.arrowSize, 3.0);
}

TEST_F(CadLeaderTest, ErasedLeaderReportsTheHostsStatus) {
    UIS_Leader leader;
    ASSERT_EQ(leader.create(ZcGePoint3d(10, 5, 0), ZcGePoint3d(2, 3, 0)), 0);
    erase(leader.objectId());
    ZcGePoint3d end;
    EXPECT_EQ(leader.setArrowBlock(L"Dot"), Zcad::eWasErased);
    EXPECT_EQ(leader.endPoint(end), Zcad::eWasErased);
    EXPECT_EQ(leader.attachAnnotation(ZcDbObjectId::kNull), Zcad::eWasErased);
    leader.setArrowSize(3.0);
}

}  // namespace
