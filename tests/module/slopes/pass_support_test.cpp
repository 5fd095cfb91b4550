// The boxes the grid passes filter with: an arc segment's box holds the whole arc, and a slope may be its own limit.
#include <cmath>
#include <random>

#include "slope_fixture.h"
#include "slopes/slope_pass_support.h"

namespace {

using namespace kelvora::slopes;

bool contains(const Box3d& box, const AcGePoint3d& p, double slack)
{
    return p.x >= box.lo.x - slack && p.x <= box.hi.x + slack && p.y >= box.lo.y - slack &&
           p.y <= box.hi.y + slack && p.z >= box.lo.z - slack && p.z <= box.hi.z + slack;
}

TEST(SlopePassSupport, ArcSegmentBoxHoldsEveryPointOfTheArc)
{
    std::mt19937 engine(7);
    std::uniform_real_distribution<double> coordinate(-50.0, 50.0);
    std::uniform_real_distribution<double> bulge(-3.0, 3.0);
    for (int trial = 0; trial < 500; ++trial) {
        AcDbPolyline polyline;
        polyline.addVertexAt(0, AcGePoint2d(coordinate(engine), coordinate(engine)), bulge(engine));
        polyline.addVertexAt(1, AcGePoint2d(coordinate(engine), coordinate(engine)));
        if (trial % 3 == 0)
            polyline.setNormal(AcGeVector3d(0, 0, -1));
        if (trial % 5 == 0)
            polyline.setElevation(2.5);
        Box3d box;
        ASSERT_TRUE(polylineSegmentBox(polyline, 0, box));
        double endParam = 0.0;
        polyline.getEndParam(endParam);
        for (int i = 0; i <= 64; ++i) {
            AcGePoint3d p;
            ASSERT_EQ(polyline.getPointAtParam(endParam * i / 64.0, p), Acad::eOk);
            EXPECT_TRUE(contains(box, p, 1e-9)) << "trial " << trial << " sample " << i;
        }
    }
}

TEST(SlopePassSupport, ArcBoxInThePlaneIsTheArcsNotItsCircles)
{
    // A flat arc over a 50-unit chord: its circle is some 1,250 units across, the arc 1.25 high.
    AcDbPolyline polyline;
    polyline.addVertexAt(0, AcGePoint2d(0, 0), 0.05);
    polyline.addVertexAt(1, AcGePoint2d(50, 0));
    Box3d box;
    ASSERT_TRUE(polylineSegmentBox(polyline, 0, box));
    EXPECT_NEAR(box.lo.x, 0.0, 1e-9);
    EXPECT_NEAR(box.hi.x, 50.0, 1e-9);
    EXPECT_NEAR(box.hi.y, 0.0, 1e-9);
    EXPECT_GT(box.lo.y, -1.5);
}

TEST(SlopePassSupport, RayEntryIsWhereTheRayMeetsTheBox)
{
    const Box3d box{AcGePoint3d(2, -1, -1), AcGePoint3d(4, 1, 1)};
    double enter = -1.0;
    ASSERT_TRUE(box.rayEntry(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), enter));
    EXPECT_NEAR(enter, 2.0, 1e-12);
    EXPECT_FALSE(box.rayEntry(AcGePoint3d(0, 0, 0), AcGeVector3d(-1, 0, 0), enter));
    EXPECT_FALSE(box.rayEntry(AcGePoint3d(0, 5, 0), AcGeVector3d(1, 0, 0), enter));
    ASSERT_TRUE(box.rayEntry(AcGePoint3d(3, 0, 0), AcGeVector3d(0, 1, 0), enter));
    EXPECT_NEAR(enter, 0.0, 1e-12);
}

TEST_F(SlopeTest, SlopeThatIsItsOwnLimitDrawsAndStaysOpen)
{
    auto* slope = new nPolyLineTalutee();
    slope->addVertexAt(0, AcGePoint2d(0, 0));
    slope->addVertexAt(1, AcGePoint2d(20, 0));
    slope->addVertexAt(2, AcGePoint2d(20, 10));
    AcDbObjectId id;
    ASSERT_EQ(appendToModelSpace(slope, id), Acad::eOk);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
    nPolyLineTalutee::cast(entity)->appendLimitId(id);
    entity->close();
    ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
    const nPolyLineTalutee* opened = nPolyLineTalutee::cast(entity);
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(*opened, kLeftSide, base, end);
    EXPECT_EQ(base.length(), 13);
    // The limit pass opened and closed the slope once more; the caller's read is still there.
    EXPECT_TRUE(entity->isReadEnabled());
    EXPECT_EQ(opened->limitIds().length(), 1);
    EXPECT_EQ(entity->close(), Acad::eOk);
}

}  // namespace
