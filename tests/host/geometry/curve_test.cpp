// What every curve shares: sampling accuracy, length to parameter, intervals, kinds, degenerate input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "gearc2d.h"
#include "gearc3d.h"
#include "geline3d.h"
#include "gelnsg2d.h"
#include "gelnsg3d.h"
#include "genurb3d.h"
#include "geray3d.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Largest distance of the curve from the chords of the samples, probed between them.
double worstChordError(const AcGeCurve3d& curve, const AcGePoint3dArray& pts, const AcGeDoubleArray& params)
{
    double worst = 0.0;
    for (int i = 0; i + 1 < pts.length(); ++i) {
        AcGeVector3d chord = pts[i + 1] - pts[i];
        for (int k = 1; k < 32; ++k) {
            AcGePoint3d c = curve.evalPoint(params[i] + (params[i + 1] - params[i]) * k / 32.0);
            double along = std::clamp((c - pts[i]).dotProduct(chord) / chord.lengthSqrd(), 0.0, 1.0);
            worst = std::max(worst, c.distanceTo(pts[i] + chord * along));
        }
    }
    return worst;
}

// The clamped uniform cubic of the benchmark: 100 control points on a wave.
AcGeNurbCurve3d wavyCubic()
{
    const int n = 100, p = 3;
    AcGePoint3dArray points;
    for (int i = 0; i < n; ++i)
        points.append(AcGePoint3d(i * 10.0, 25.0 * std::sin(i * 0.7), 0.0));
    AcGeDoubleArray knots;
    for (int i = 0; i < n + p + 1; ++i)
        knots.append(std::clamp(i - p, 0, n - p));
    return AcGeNurbCurve3d(p, AcGeKnotVector(knots, 1e-9), points);
}

TEST(Sampling, WavyCubicStaysWithinTheAccuracy)
{
    AcGeNurbCurve3d curve = wavyCubic();
    for (double eps : {1.0, 0.01, 0.0001}) {
        AcGePoint3dArray pts;
        AcGeDoubleArray params;
        curve.getSamplePoints(curve.startParam(), curve.endParam(), eps, pts, params);
        ASSERT_GT(pts.length(), 97);
        EXPECT_LE(worstChordError(curve, pts, params), eps) << "eps " << eps;
        EXPECT_TRUE(pts.first().isEqualTo(AcGePoint3d(0, 0, 0)));
        EXPECT_TRUE(pts.last().isEqualTo(curve.controlPointAt(99)));
    }
}

TEST(Sampling, ArcStepsKeepTheSagittaWithinTheAccuracy)
{
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 1), AcGeVector3d::kXAxis, 50.0, 0.3, 5.0);
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    arc.getSamplePoints(arc.startAng(), arc.endAng(), 0.01, pts, params);
    EXPECT_LE(worstChordError(arc, pts, params), 0.01);
    // The fewest equal steps: one less would break the accuracy.
    double step = (arc.endAng() - arc.startAng()) / (pts.length() - 2);
    EXPECT_GT(50.0 * (1 - std::cos(step / 2)), 0.01);
}

TEST(Sampling, ReversedRangeAndSubRange)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 1.0);
    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    arc.getSamplePoints(kPi, 0.0, 0.001, pts, params);
    ASSERT_GE(pts.length(), 2);
    EXPECT_NEAR(params.first(), 0.0, 0.0);
    EXPECT_NEAR(params.last(), kPi, 0.0);
    EXPECT_TRUE(pts.last().isEqualTo(AcGePoint2d(-1, 0), AcGeTol()));
}

TEST(Sampling, NonPositiveAccuracyIsBounded)
{
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    arc.getSamplePoints(0.0, 0.1, 0.0, pts, params);
    EXPECT_GT(pts.length(), 2);
    EXPECT_LE(pts.length(), 1000001);
}

TEST(Sampling, CountedSamplesCoverTheInterval)
{
    AcGeLineSeg3d seg(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 0));
    AcGePoint3dArray pts;
    seg.getSamplePoints(5, pts);
    ASSERT_EQ(pts.length(), 5);
    EXPECT_TRUE(pts[1].isEqualTo(AcGePoint3d(1, 0, 0)));
    AcGeLine3d line;
    line.getSamplePoints(5, pts);
    EXPECT_EQ(pts.length(), 0) << "an unbounded line has no samples";
}

TEST(Length, ParamAtLengthInvertsLength)
{
    AcGeNurbCurve3d curve = wavyCubic();
    double total = curve.length(curve.startParam(), curve.endParam());
    double t = curve.paramAtLength(curve.startParam(), total / 3.0);
    EXPECT_NEAR(curve.length(curve.startParam(), t), total / 3.0, 1e-6);
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0, 1.0, 3.0);
    EXPECT_NEAR(arc.paramAtLength(3.0, 1.0, false), 2.5, 1e-12);
    // Past the end: the end.
    EXPECT_NEAR(arc.paramAtLength(1.0, 100.0), 3.0, 0.0);
    AcGeRay3d ray(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 2, 0));
    EXPECT_NEAR(ray.paramAtLength(0.0, 10.0), 5.0, 1e-9);
}

TEST(Length, OrderOfTheParametersDoesNotMatter)
{
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 3.0);
    EXPECT_NEAR(arc.length(2.0, 1.0), 3.0, 1e-15);
}

TEST(Interval, BoundsOfEachKind)
{
    AcGeInterval range;
    AcGeLine3d().getInterval(range);
    EXPECT_TRUE(range.isUnBounded());
    AcGeRay3d().getInterval(range);
    EXPECT_TRUE(range.isBoundedBelow());
    EXPECT_FALSE(range.isBoundedAbove());
    AcGePoint3d start, end(9, 9, 9);
    AcGeLineSeg3d(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0)).getInterval(range, start, end);
    EXPECT_TRUE(start.isEqualTo(AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(end.isEqualTo(AcGePoint3d(2, 0, 0)));
    EXPECT_TRUE(range.contains(1.0));
    EXPECT_FALSE(range.contains(1.5));
    AcGePoint3d p;
    EXPECT_FALSE(AcGeLine3d().hasStartPoint(p));
}

TEST(Curve, ClosestPointOnEachKind)
{
    AcGePoint3d far(3, 4, 0);
    EXPECT_TRUE(AcGeLine3d(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis).closestPointTo(far).isEqualTo({3, 0, 0}));
    EXPECT_TRUE(AcGeRay3d(AcGePoint3d(5, 0, 0), AcGeVector3d::kXAxis).closestPointTo(far).isEqualTo({5, 0, 0}));
    AcGeCircArc3d circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
    EXPECT_TRUE(circle.closestPointTo(far).isEqualTo({0.6, 0.8, 0}));
    EXPECT_NEAR(circle.distanceTo(AcGePoint3d(0, 0, 2)), std::sqrt(5.0), 1e-12);
}

TEST(Curve, DegenerateSegmentNeverCrashes)
{
    AcGeLineSeg3d dot(AcGePoint3d(1, 1, 1), AcGePoint3d(1, 1, 1));
    EXPECT_NEAR(dot.length(), 0.0, 0.0);
    EXPECT_NEAR(dot.paramOf(AcGePoint3d(5, 5, 5)), 0.0, 0.0);
    EXPECT_TRUE(dot.direction().isZeroLength());
    EXPECT_TRUE(dot.isOn(AcGePoint3d(1, 1, 1)));
    AcGePoint3d p;
    EXPECT_FALSE(dot.intersectWith(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(2, 2, 2)), p));
    AcGePlane plane;
    EXPECT_TRUE(dot.isPlanar(plane));
}

TEST(Curve, IsLinearAndIsPlanar)
{
    AcGeLine3d line;
    EXPECT_TRUE(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 1)).isLinear(line));
    EXPECT_TRUE(line.isOn(AcGePoint3d(5, 5, 5)));
    AcGeCircArc3d arc(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 1, 0), 2.0);
    EXPECT_FALSE(arc.isLinear(line));
    AcGePlane plane;
    ASSERT_TRUE(arc.isPlanar(plane));
    EXPECT_TRUE(plane.normal().isParallelTo(AcGeVector3d(1, 1, 0)));
    AcGeCircArc3d other(AcGePoint3d(0, 0, 0), AcGeVector3d(-1, -1, 0), 5.0);
    EXPECT_TRUE(arc.isCoplanarWith(other, plane));
    AcGeCircArc3d tilted(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5.0);
    EXPECT_FALSE(arc.isCoplanarWith(tilted, plane));
}

TEST(Curve, TransformsAndCopiesKeepTheKind)
{
    AcGeNurbCurve3d curve = wavyCubic();
    std::unique_ptr<AcGeEntity3d> copy(curve.copy());
    ASSERT_TRUE(copy->isKindOf(AcGe::kSplineEnt3d));
    EXPECT_TRUE(copy->isEqualTo(curve));
    copy->transformBy(AcGeMatrix3d::translation(AcGeVector3d(0, 0, 7)));
    auto* moved = static_cast<AcGeNurbCurve3d*>(copy.get());
    EXPECT_TRUE(moved->evalPoint(12.5).isEqualTo(curve.evalPoint(12.5) + AcGeVector3d(0, 0, 7), AcGeTol()));
    EXPECT_FALSE(copy->isEqualTo(curve));
    AcGeCircArc2d arc(AcGePoint2d(1, 0), 1.0);
    arc.scaleBy(3.0, AcGePoint2d(0, 0));
    EXPECT_NEAR(arc.radius(), 3.0, 1e-15);
    EXPECT_TRUE(arc.center().isEqualTo(AcGePoint2d(3, 0)));
}

TEST(Curve, EvalPointGivesRequestedDerivatives)
{
    AcGeCircArc2d arc(AcGePoint2d(0, 0), 2.0);
    AcGeVector2dArray d;
    arc.evalPoint(0.0, 5, d);
    ASSERT_EQ(d.length(), 2);
    EXPECT_TRUE(d[0].isEqualTo(AcGeVector2d(0, 2)));
    EXPECT_TRUE(d[1].isEqualTo(AcGeVector2d(-2, 0)));
    AcGeLineSeg2d seg(AcGePoint2d(0, 0), AcGePoint2d(3, 0));
    seg.evalPoint(0.5, 1, d);
    ASSERT_EQ(d.length(), 1);
    EXPECT_TRUE(d[0].isEqualTo(AcGeVector2d(3, 0)));
}

TEST(Curve, ConstantsAreReadyBeforeMain)
{
    EXPECT_TRUE(AcGeLine3d::kZAxis.direction().isEqualTo(AcGeVector3d::kZAxis));
    EXPECT_TRUE(AcGeLine2d::kYAxis.direction().isEqualTo(AcGeVector2d::kYAxis));
    EXPECT_TRUE(AcGePlane::kZXPlane.normal().isEqualTo(AcGeVector3d::kYAxis));
    EXPECT_TRUE(AcGePlane::kYZPlane.normal().isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(AcGeMatrix3d::kIdentity.isEqualTo(AcGeMatrix3d()));
}

}  // namespace

namespace {

// Input that is not a number must give answers, not crashes or endless loops.
TEST(Robustness, NotANumberInputsAreSurvived)
{
    const double nan = std::nan("");
    AcGePoint2d p;
    EXPECT_FALSE(AcGeLineSeg2d(AcGePoint2d(nan, 0), AcGePoint2d(1, 1))
                     .intersectWith(AcGeLineSeg2d(AcGePoint2d(0, 1), AcGePoint2d(1, 0)), p));
    AcGeCircArc2d arc(AcGePoint2d(0, 0), nan, nan, 1.0);
    int n = -1;
    AcGePoint2d p1, p2;
    arc.intersectWith(AcGeLineSeg2d(AcGePoint2d(-2, 0), AcGePoint2d(2, 0)), n, p1, p2);
    EXPECT_GE(n, 0);
    AcGePoint2dArray pts2;
    AcGeDoubleArray params;
    arc.getSamplePoints(0.0, 1.0, 0.01, pts2, params);
    EXPECT_LE(pts2.length(), 1000001);

    AcGePoint3dArray cps;
    for (int i = 0; i < 5; ++i)
        cps.append(AcGePoint3d(i, i == 2 ? nan : 0.0, 0));
    AcGeDoubleArray k;
    for (double v : {0.0, 0.0, 0.0, 0.0, 1.0, 2.0, 2.0, 2.0, 2.0})
        k.append(v);
    AcGeNurbCurve3d curve(3, AcGeKnotVector(k), cps);
    AcGePoint3dArray pts;
    curve.getSamplePoints(0.0, 2.0, 0.01, pts, params);
    EXPECT_LE(pts.length(), 1000001);
    curve.closestPointTo(AcGePoint3d(1, 1, 1));
    AcGePlane plane;
    curve.isPlanar(plane);
    AcGeCircArc3d arc3(AcGePoint3d(0, 0, 0), AcGeVector3d(nan, 0, 1), 1.0);
    arc3.getSamplePoints(0.0, 1.0, 0.01, pts, params);
    EXPECT_GE(pts.length(), 2);
    EXPECT_TRUE(arc3.normal().isEqualTo(AcGeVector3d::kZAxis)) << "a normal that is not a number is taken as +Z";
}

}  // namespace
