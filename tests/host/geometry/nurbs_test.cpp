// NURBS curves: rational circles, periodic (wrapped) splines, sampling accuracy, length and planarity.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

#include "gearc3d.h"
#include "genurb3d.h"
#include "geplane.h"
#include "kelvora/ge_extents.h"

namespace {

constexpr double kPi = std::numbers::pi;
const double kHalfRoot2 = std::sqrt(2.0) / 2.0;

AcGeKnotVector knots(std::initializer_list<double> values)
{
    AcGeDoubleArray a;
    for (double v : values)
        a.append(v);
    return AcGeKnotVector(a, 1e-9);
}

AcGePoint3dArray points(std::initializer_list<AcGePoint3d> values)
{
    AcGePoint3dArray a;
    for (const AcGePoint3d& p : values)
        a.append(p);
    return a;
}

AcGeDoubleArray doubles(std::initializer_list<double> values)
{
    AcGeDoubleArray a;
    for (double v : values)
        a.append(v);
    return a;
}

// The quarter of the unit circle from (1, 0) to (0, 1): a rational quadratic
// Bezier with weights 1, sqrt(2)/2, 1.
AcGeNurbCurve3d quarterCircle()
{
    return AcGeNurbCurve3d(2, knots({0, 0, 0, 1, 1, 1}), points({{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}),
                           doubles({1.0, kHalfRoot2, 1.0}));
}

// A full circle of radius 2 about (1, 1, 0) from nine points, four rational quarters.
AcGeNurbCurve3d fullCircle()
{
    double w = kHalfRoot2;
    return AcGeNurbCurve3d(
        2, knots({0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4}),
        points({{3, 1, 0}, {3, 3, 0}, {1, 3, 0}, {-1, 3, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {3, -1, 0}, {3, 1, 0}}),
        doubles({1, w, 1, w, 1, w, 1, w, 1}));
}

TEST(NurbCurve3d, RationalQuarterCircleLiesOnTheCircle)
{
    AcGeNurbCurve3d arc = quarterCircle();
    ASSERT_TRUE(arc.isRational());
    for (int i = 0; i <= 200; ++i) {
        double t = i / 200.0;
        AcGePoint3d p = arc.evalPoint(t);
        EXPECT_NEAR(p.distanceTo(AcGePoint3d::kOrigin), 1.0, 1e-14) << "t=" << t;
        EXPECT_NEAR(p.z, 0.0, 0.0);
    }
    EXPECT_TRUE(arc.evalPoint(0.5).isEqualTo(AcGePoint3d(kHalfRoot2, kHalfRoot2, 0), AcGeTol()));
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint3d(1, 0, 0)));
    EXPECT_TRUE(arc.endPoint().isEqualTo(AcGePoint3d(0, 1, 0)));
    EXPECT_NEAR(arc.length(0.0, 1.0), kPi / 2, 1e-9);
}

TEST(NurbCurve3d, DerivativesMatchDifferences)
{
    AcGeNurbCurve3d arc = quarterCircle();
    const double h = 1e-6;
    for (double t : {0.1, 0.5, 0.83}) {
        AcGeVector3dArray d;
        arc.evalPoint(t, 2, d);
        ASSERT_EQ(d.length(), 2);
        AcGeVector3d numeric1 = (arc.evalPoint(t + h) - arc.evalPoint(t - h)) / (2 * h);
        AcGeVector3d numeric2 = (arc.evalPoint(t + h).asVector() - arc.evalPoint(t).asVector() * 2.0 +
                                 arc.evalPoint(t - h).asVector()) /
                                (h * h);
        EXPECT_NEAR((d[0] - numeric1).length(), 0.0, 1e-7);
        EXPECT_NEAR((d[1] - numeric2).length(), 0.0, 1e-3);
        // On a circle the velocity is perpendicular to the radius.
        EXPECT_NEAR(d[0].dotProduct(arc.evalPoint(t).asVector()), 0.0, 1e-12);
    }
}

TEST(NurbCurve3d, NinePointFullCircle)
{
    AcGeNurbCurve3d circle = fullCircle();
    for (int i = 0; i <= 400; ++i) {
        double t = 4.0 * i / 400;
        EXPECT_NEAR(circle.evalPoint(t).distanceTo(AcGePoint3d(1, 1, 0)), 2.0, 1e-13) << "t=" << t;
    }
    EXPECT_TRUE(circle.isClosed());
    EXPECT_NEAR(circle.length(0, 4), 4 * kPi, 1e-8);
    AcGePoint3d lo, hi;
    ASSERT_TRUE(kelvora::nurbsExtents(circle, lo, hi));
    EXPECT_TRUE(lo.isEqualTo(AcGePoint3d(-1, -1, 0)));
    EXPECT_TRUE(hi.isEqualTo(AcGePoint3d(3, 3, 0)));
}

// A rational, non-uniform cubic in space, against the values an independent
// implementation (ezdxf's BSpline) gives for the same data.
TEST(NurbCurve3d, MatchesAnIndependentEvaluation)
{
    AcGeNurbCurve3d curve(3, knots({0, 0, 0, 0, 0.3, 1.1, 2, 2, 2, 2}),
                          points({{0, 0, 0}, {2, 5, 1}, {6, 6, -1}, {9, 1, 2}, {12, 4, 0}, {15, 0, 3}}),
                          doubles({1, 0.5, 2, 1.5, 0.8, 1}));
    const struct {
        double t;
        AcGePoint3d p;
    } expected[] = {
        {0, {0.0, 0.0, 0.0}},
        {0.15, {3.3122966399278377, 4.571405560387874, 0.07506201475467933}},
        {0.3, {5.26336875108866, 5.518376589444348, -0.39888521163560364}},
        {0.7, {6.887528559419363, 4.475915467903481, -0.06093096663200093}},
        {1.1, {8.386706056129986, 2.990192023633678, 0.7816838995568687}},
        {1.6, {11.276220193958563, 2.4230429880658884, 1.121380820277231}},
        {2, {15.0, 0.0, 3.0}},
    };
    for (const auto& e : expected)
        EXPECT_NEAR(curve.evalPoint(e.t).distanceTo(e.p), 0.0, 1e-12) << "t=" << e.t;
    AcGeVector3dArray d;
    curve.evalPoint(0.7, 1, d);
    EXPECT_NEAR((d[0] - AcGeVector3d(3.363333724123787, -3.7039304741775814, 1.997583516341878)).length(), 0.0, 1e-11);
}

struct SampleCase {
    const char* name;
    double approxEps;
};

// Test output names the row, not its bytes.
void PrintTo(const SampleCase& c, std::ostream* os) { *os << c.name; }

class NurbsSampling : public ::testing::TestWithParam<SampleCase> {};

// Every chord stays within the asked accuracy of the curve between its ends.
TEST_P(NurbsSampling, ChordsStayWithinTheAccuracy)
{
    const double eps = GetParam().approxEps;
    for (const AcGeNurbCurve3d& curve : {fullCircle(), quarterCircle()}) {
        AcGePoint3dArray pts;
        AcGeDoubleArray params;
        AcGeInterval range;
        curve.getInterval(range);
        curve.getSamplePoints(range.lowerBound(), range.upperBound(), eps, pts, params);
        ASSERT_GE(pts.length(), 2);
        ASSERT_EQ(pts.length(), params.length());
        EXPECT_TRUE(pts.first().isEqualTo(curve.startPoint()));
        EXPECT_TRUE(pts.last().isEqualTo(curve.endPoint()));
        for (int i = 0; i + 1 < pts.length(); ++i) {
            ASSERT_LT(params[i], params[i + 1]);
            AcGeVector3d chord = pts[i + 1] - pts[i];
            for (int k = 1; k < 16; ++k) {
                AcGePoint3d c = curve.evalPoint(params[i] + (params[i + 1] - params[i]) * k / 16.0);
                double along = std::clamp((c - pts[i]).dotProduct(chord) / chord.lengthSqrd(), 0.0, 1.0);
                EXPECT_LE(c.distanceTo(pts[i] + chord * along), eps) << GetParam().name;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Accuracy, NurbsSampling,
                         ::testing::Values(SampleCase{"coarse", 0.1}, SampleCase{"module_default", 0.01},
                                           SampleCase{"fine", 1e-5}),
                         [](const ::testing::TestParamInfo<SampleCase>& info) { return std::string(info.param.name); });

TEST(NurbCurve3d, SamplingAFinerAccuracyGivesMorePoints)
{
    AcGeNurbCurve3d circle = fullCircle();
    AcGePoint3dArray coarse, fine;
    AcGeDoubleArray p1, p2;
    circle.getSamplePoints(0, 4, 0.1, coarse, p1);
    circle.getSamplePoints(0, 4, 0.001, fine, p2);
    EXPECT_GT(fine.length(), 3 * coarse.length());
}

// A closed periodic spline as a DXF file stores it: the first three control
// points repeated at the end, uniform knots.
AcGeNurbCurve3d periodicSquareSpline()
{
    return AcGeNurbCurve3d(
        3, knots({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
        points({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {0, 0, 0}, {10, 0, 0}, {10, 10, 0}}), true);
}

TEST(NurbCurve3d, PeriodicSplineClosesSmoothly)
{
    AcGeNurbCurve3d curve = periodicSquareSpline();
    double period = 0.0;
    ASSERT_TRUE(curve.isPeriodic(period));
    EXPECT_NEAR(period, 4.0, 0.0);
    EXPECT_NEAR(curve.startParam(), 3.0, 0.0);
    EXPECT_NEAR(curve.endParam(), 7.0, 0.0);
    EXPECT_TRUE(curve.isClosed());
    AcGeVector3dArray atStart, atEnd;
    curve.evalPoint(3.0, 2, atStart);
    curve.evalPoint(7.0, 2, atEnd);
    EXPECT_TRUE(atStart[0].isEqualTo(atEnd[0], AcGeTol()));
    EXPECT_TRUE(atStart[1].isEqualTo(atEnd[1], AcGeTol()));
    // A uniform cubic over a square control polygon: symmetric about (5, 5).
    AcGePoint3d a = curve.evalPoint(3.0), b = curve.evalPoint(5.0);
    EXPECT_TRUE((a + (b - a) * 0.5).isEqualTo(AcGePoint3d(5, 5, 0), AcGeTol()));
    // Parameters outside the range wrap round the period.
    EXPECT_TRUE(curve.evalPoint(8.5).isEqualTo(curve.evalPoint(4.5), AcGeTol()));
}

TEST(NurbCurve3d, PeriodicOnePeriodKnotsWrapToTheStoredForm)
{
    AcGeNurbCurve3d compact(3, knots({0, 1, 2, 3, 4}), points({{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}}), true);
    AcGeNurbCurve3d stored = periodicSquareSpline();
    ASSERT_EQ(compact.numControlPoints(), 7);
    EXPECT_NEAR(compact.startParam(), 0.0, 0.0);
    EXPECT_NEAR(compact.endParam(), 4.0, 0.0);
    for (int i = 0; i <= 40; ++i) {
        double t = i / 10.0;
        EXPECT_TRUE(compact.evalPoint(t).isEqualTo(stored.evalPoint(t + 3.0), AcGeTol())) << "t=" << t;
    }
}

TEST(NurbCurve3d, PeriodicSamplingReturnsToTheStart)
{
    AcGeNurbCurve3d curve = periodicSquareSpline();
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    curve.getSamplePoints(curve.startParam(), curve.endParam(), 0.01, pts, params);
    ASSERT_GT(pts.length(), 8);
    EXPECT_TRUE(pts.first().isEqualTo(pts.last(), AcGeTol()));
}

TEST(NurbCurve3d, PlanarityAndThePlaneNormal)
{
    AcGePlane plane;
    AcGeNurbCurve3d curve = periodicSquareSpline();
    ASSERT_TRUE(curve.isPlanar(plane));
    EXPECT_TRUE(plane.normal().isEqualTo(AcGeVector3d::kZAxis)) << "drawn in XY: the normal points up";
    EXPECT_TRUE(plane.pointOnPlane().isEqualTo(AcGePoint3d(0, 0, 0)));

    // The same curve turned into a tilted plane stays planar, with that plane's normal.
    AcGeMatrix3d tilt = AcGeMatrix3d::rotation(0.5, AcGeVector3d(1, 1, 0), AcGePoint3d(3, 4, 5));
    curve.transformBy(tilt);
    ASSERT_TRUE(curve.isPlanar(plane));
    EXPECT_TRUE(plane.normal().isParallelTo(tilt * AcGeVector3d::kZAxis, AcGeTol()));

    AcGeNurbCurve3d twisted(3, knots({0, 0, 0, 0, 1, 1, 1, 1}), points({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}}));
    EXPECT_FALSE(twisted.isPlanar(plane));
}

TEST(NurbCurve3d, StraightSplineIsPlanarAndLinear)
{
    AcGeNurbCurve3d straight(AcGeLineSeg3d(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 0, 3)));
    AcGePlane plane;
    EXPECT_TRUE(straight.isPlanar(plane));
    EXPECT_TRUE(plane.isOn(AcGePoint3d(2, 0, 1.5)));
    AcGeLine3d line;
    EXPECT_TRUE(straight.isLinear(line));
    EXPECT_NEAR(straight.length(0, 1), 5.0, 1e-12);
}

TEST(NurbCurve3d, ClosestPointAndParameter)
{
    AcGeNurbCurve3d circle = fullCircle();
    AcGePoint3d p = circle.closestPointTo(AcGePoint3d(1, 10, 0));
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(1, 3, 0), AcGeTol()));
    double t = circle.paramOf(AcGePoint3d(1, 3, 0));
    EXPECT_NEAR(t, 1.0, 1e-9);
    EXPECT_TRUE(circle.isOn(AcGePoint3d(-1, 1, 0)));
    EXPECT_FALSE(circle.isOn(AcGePoint3d(0, 0, 0)));
}

TEST(NurbCurve3d, ReverseParamKeepsTheShape)
{
    AcGeNurbCurve3d arc = quarterCircle();
    arc.reverseParam();
    EXPECT_TRUE(arc.startPoint().isEqualTo(AcGePoint3d(0, 1, 0)));
    EXPECT_TRUE(arc.evalPoint(0.3).isEqualTo(quarterCircle().evalPoint(0.7), AcGeTol()));
}

struct InvalidCase {
    const char* name;
    int degree;
    AcGeKnotVector knots;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
};

// Test output names the row, not its bytes.
void PrintTo(const InvalidCase& c, std::ostream* os) { *os << c.name; }

class InvalidNurbs : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidNurbs, GiveAnEmptyCurve)
{
    const InvalidCase& c = GetParam();
    AcGeNurbCurve3d curve(c.degree, c.knots, c.points, c.weights);
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    curve.getSamplePoints(0.0, 1.0, 0.01, pts, params);
    EXPECT_EQ(pts.length(), 0);
    EXPECT_NEAR(curve.length(0.0, 1.0), 0.0, 0.0);
    AcGePlane plane;
    EXPECT_FALSE(curve.isPlanar(plane));
    EXPECT_FALSE(curve.isClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Data, InvalidNurbs,
    ::testing::Values(InvalidCase{"too_few_knots", 2, knots({0, 0, 1, 1}), points({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), {}},
                      InvalidCase{"decreasing_knots", 1, knots({0, 1, 0.5, 2}), points({{0, 0, 0}, {1, 0, 0}}), {}},
                      InvalidCase{"zero_weight", 1, knots({0, 0, 1, 1}), points({{0, 0, 0}, {1, 0, 0}}), doubles({1, 0})},
                      InvalidCase{"weights_miscounted", 1, knots({0, 0, 1, 1}), points({{0, 0, 0}, {1, 0, 0}}),
                                  doubles({1})},
                      InvalidCase{"degree_zero", 0, knots({0, 1}), points({{0, 0, 0}}), {}},
                      InvalidCase{"empty_range", 1, knots({1, 1, 1, 1}), points({{0, 0, 0}, {1, 0, 0}}), {}}),
    [](const ::testing::TestParamInfo<InvalidCase>& info) { return std::string(info.param.name); });

TEST(KnotVector, MultiplicitiesAndSpans)
{
    AcGeKnotVector k = knots({0, 0, 0, 1, 2, 2, 3, 3, 3});
    EXPECT_EQ(k.multiplicityAt(0), 3);
    EXPECT_EQ(k.multiplicityAt(2.0), 2);
    EXPECT_EQ(k.numIntervals(), 3);
    AcGeInterval span;
    EXPECT_EQ(k.getInterval(3, 1.5, span), 3);
    EXPECT_NEAR(span.lowerBound(), 1.0, 0.0);
    EXPECT_NEAR(span.upperBound(), 2.0, 0.0);
    AcGeDoubleArray distinct;
    AcGeIntArray mult;
    k.getDistinctKnots(distinct, &mult);
    ASSERT_EQ(distinct.length(), 4);
    EXPECT_EQ(mult[3], 3);
    k.reverse();
    EXPECT_NEAR(k[3], 1.0, 0.0);
    EXPECT_NEAR(k[5], 2.0, 0.0);
}

}  // namespace
