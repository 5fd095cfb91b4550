// Line segments: 0..1 parameters, and intersections when crossing, touching, parallel or overlapping.
#include <gtest/gtest.h>

#include <ostream>

#include <memory>

#include "geline2d.h"
#include "geline3d.h"
#include "gelnsg2d.h"
#include "gelnsg3d.h"
#include "geplane.h"
#include "geray2d.h"

namespace {

struct SegmentCase {
    const char* name;
    AcGePoint2d a0, a1, b0, b1;
    bool meets;
    AcGePoint2d at;
};

// Test output names the row, not its bytes.
void PrintTo(const SegmentCase& c, std::ostream* os) { *os << c.name; }

class SegmentIntersection : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentIntersection, In2d)
{
    const SegmentCase& c = GetParam();
    AcGeLineSeg2d a(c.a0, c.a1), b(c.b0, c.b1);
    AcGePoint2d p(-999, -999);
    ASSERT_EQ(a.intersectWith(b, p), c.meets);
    if (c.meets) {
        EXPECT_NEAR(p.x, c.at.x, 1e-12);
        EXPECT_NEAR(p.y, c.at.y, 1e-12);
        AcGePoint2d q;
        EXPECT_TRUE(b.intersectWith(a, q));
        EXPECT_TRUE(q.isEqualTo(p, AcGeTol()));
    } else {
        EXPECT_NEAR(p.x, -999, 0.0) << "output left untouched";
    }
}

TEST_P(SegmentIntersection, In3dTheSame)
{
    const SegmentCase& c = GetParam();
    AcGeLineSeg3d a(AcGePoint3d(c.a0.x, c.a0.y, 2), AcGePoint3d(c.a1.x, c.a1.y, 2));
    AcGeLineSeg3d b(AcGePoint3d(c.b0.x, c.b0.y, 2), AcGePoint3d(c.b1.x, c.b1.y, 2));
    AcGePoint3d p;
    ASSERT_EQ(a.intersectWith(b, p), c.meets);
    if (c.meets) {
        EXPECT_TRUE(p.isEqualTo(AcGePoint3d(c.at.x, c.at.y, 2), AcGeTol()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Segments, SegmentIntersection,
    ::testing::Values(
        SegmentCase{"crossing", {0, 0}, {2, 2}, {0, 2}, {2, 0}, true, {1, 1}},
        SegmentCase{"end_touches_interior", {0, 0}, {2, 0}, {1, 0}, {1, 5}, true, {1, 0}},
        SegmentCase{"ends_touch_at_corner", {0, 0}, {2, 0}, {2, 0}, {2, 3}, true, {2, 0}},
        SegmentCase{"would_cross_beyond_end", {0, 0}, {1, 0}, {2, -1}, {2, 1}, false, {}},
        SegmentCase{"parallel_apart", {0, 0}, {4, 0}, {0, 1}, {4, 1}, false, {}},
        SegmentCase{"collinear_overlap", {0, 0}, {4, 0}, {2, 0}, {6, 0}, false, {}},
        SegmentCase{"collinear_touching_end", {0, 0}, {2, 0}, {2, 0}, {3, 0}, false, {}},
        SegmentCase{"zero_length_segment", {1, 1}, {1, 1}, {0, 0}, {2, 2}, false, {}},
        SegmentCase{"nearly_parallel_far_cross", {0, 0}, {10, 0}, {0, 1}, {10, 0.99}, false, {}}),
    [](const ::testing::TestParamInfo<SegmentCase>& info) { return std::string(info.param.name); });

TEST(LineSegment, ParameterRunsFromZeroToOne)
{
    AcGeLineSeg3d seg(AcGePoint3d(1, 1, 1), AcGePoint3d(5, 1, 1));
    AcGeInterval range;
    seg.getInterval(range);
    EXPECT_DOUBLE_EQ(range.lowerBound(), 0.0);
    EXPECT_DOUBLE_EQ(range.upperBound(), 1.0);
    EXPECT_TRUE(seg.evalPoint(0.25).isEqualTo(AcGePoint3d(2, 1, 1)));
    EXPECT_NEAR(seg.paramOf(AcGePoint3d(4, 1, 1)), 0.75, 1e-15);
    // Off the segment: the parameter of the nearest point, clamped to the ends.
    EXPECT_NEAR(seg.paramOf(AcGePoint3d(9, 3, 0)), 1.0, 1e-15);
    EXPECT_NEAR(seg.length(0.25, 0.75), 2.0, 1e-15);
    EXPECT_NEAR(seg.length(), 4.0, 1e-15);
    EXPECT_TRUE(seg.midPoint().isEqualTo(AcGePoint3d(3, 1, 1)));
}

TEST(LineSegment, ReverseParamSwapsTheEnds)
{
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(3, 4));
    seg.reverseParam();
    EXPECT_TRUE(seg.startPoint().isEqualTo(AcGePoint2d(3, 4)));
    EXPECT_TRUE(seg.endPoint().isEqualTo(AcGePoint2d(0, 0)));
}

TEST(LineSegment, OverlapOfCollinearSegments)
{
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(4, 0)), b(AcGePoint2d(6, 0), AcGePoint2d(2, 0));
    AcGeLinearEnt2d* common = nullptr;
    ASSERT_TRUE(a.overlap(b, common));
    std::unique_ptr<AcGeLinearEnt2d> owned(common);
    ASSERT_TRUE(common->isKindOf(AcGe::kLineSeg2d));
    auto* seg = static_cast<AcGeLineSeg2d*>(common);
    EXPECT_TRUE(seg->startPoint().isEqualTo(AcGePoint2d(2, 0)));
    EXPECT_TRUE(seg->endPoint().isEqualTo(AcGePoint2d(4, 0)));
    AcGeLineSeg2d touching(AcGePoint2d(4, 0), AcGePoint2d(5, 0));
    AcGeLinearEnt2d* none = nullptr;
    EXPECT_FALSE(a.overlap(touching, none));
    EXPECT_EQ(none, nullptr);
}

TEST(LineSegment, OverlapWithARayIsASegment)
{
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(4, 0));
    AcGeRay2d ray(AcGePoint2d(1, 0), AcGeVector2d(1, 0));
    AcGeLinearEnt2d* common = nullptr;
    ASSERT_TRUE(a.overlap(ray, common));
    std::unique_ptr<AcGeLinearEnt2d> owned(common);
    EXPECT_EQ(common->type(), AcGe::kLineSeg2d);
    EXPECT_TRUE(common->isOn(AcGePoint2d(3, 0)));
    EXPECT_FALSE(common->isOn(AcGePoint2d(0.5, 0)));
}

TEST(Line3d, SkewLinesDoNotIntersect)
{
    AcGeLine3d a(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis), b(AcGePoint3d(0, 0, 1), AcGeVector3d::kYAxis);
    AcGePoint3d p;
    EXPECT_FALSE(a.intersectWith(b, p));
    AcGePoint3d onA, onB;
    ASSERT_TRUE(a.projIntersectWith(b, AcGeVector3d::kZAxis, onA, onB));
    EXPECT_TRUE(onA.isEqualTo(AcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(onB.isEqualTo(AcGePoint3d(0, 0, 1)));
}

TEST(Line3d, IntersectionWithAPlane)
{
    AcGeLineSeg3d seg(AcGePoint3d(0, 0, -1), AcGePoint3d(2, 2, 3));
    AcGePoint3d p;
    ASSERT_TRUE(seg.intersectWith(AcGePlane::kXYPlane, p));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(0.5, 0.5, 0)));
    AcGeLineSeg3d above(AcGePoint3d(0, 0, 1), AcGePoint3d(1, 1, 2));
    EXPECT_FALSE(above.intersectWith(AcGePlane::kXYPlane, p));
    AcGeLineSeg3d inPlane(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_FALSE(inPlane.intersectWith(AcGePlane::kXYPlane, p));
    EXPECT_TRUE(inPlane.isOn(AcGePlane::kXYPlane));
}

TEST(LineSegment, ToleranceDecidesAnAlmostTouch)
{
    AcGeLineSeg2d a(AcGePoint2d(0, 0), AcGePoint2d(1, 0)), b(AcGePoint2d(1.000001, -1), AcGePoint2d(1.000001, 1));
    AcGePoint2d p;
    EXPECT_FALSE(a.intersectWith(b, p));
    AcGeTol loose;
    loose.setEqualPoint(1e-5);
    ASSERT_TRUE(a.intersectWith(b, p, loose));
    // The point is on the first segment: its end.
    EXPECT_TRUE(p.isEqualTo(AcGePoint2d(1, 0)));
}

TEST(LineSegment, KindsAndCopies)
{
    AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 3));
    EXPECT_TRUE(seg.isKindOf(AcGe::kLinearEnt3d));
    EXPECT_TRUE(seg.isKindOf(AcGe::kCurve3d));
    EXPECT_TRUE(seg.isKindOf(AcGe::kEntity3d));
    EXPECT_FALSE(seg.isKindOf(AcGe::kLine3d));
    std::unique_ptr<AcGeEntity3d> copy(seg.copy());
    EXPECT_TRUE(copy->isEqualTo(seg));
    copy->translateBy(AcGeVector3d(1, 0, 0));
    EXPECT_FALSE(copy->isEqualTo(seg));
}

}  // namespace
