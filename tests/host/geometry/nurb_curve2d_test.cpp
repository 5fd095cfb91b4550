// 2D NURBS curves: the same evaluation as the 3D curve at z = 0, rational circles, exact ellipse arcs, data access.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>

#include "geell2d.h"
#include "gelnsg2d.h"
#include "genurb2d.h"
#include "genurb3d.h"

namespace {

constexpr double kPi = std::numbers::pi;
const double kHalfRoot2 = std::sqrt(2.0) / 2.0;
// Both curves run the same arithmetic; only the lifting to z = 0 lies between them.
constexpr double kSameTol = 1e-12;

AcGeKnotVector knots(std::initializer_list<double> values)
{
    AcGeDoubleArray a;
    for (double v : values)
        a.append(v);
    return AcGeKnotVector(a, 1e-9);
}

AcGePoint2dArray points(std::initializer_list<AcGePoint2d> values)
{
    AcGePoint2dArray a;
    for (const AcGePoint2d& p : values)
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

AcGePoint3dArray lifted(const AcGePoint2dArray& pts)
{
    AcGePoint3dArray a;
    for (int i = 0; i < pts.length(); ++i)
        a.append(AcGePoint3d(pts[i].x, pts[i].y, 0.0));
    return a;
}

struct CurveRow {
    const char* name;
    int degree;
    AcGeKnotVector knots;
    AcGePoint2dArray points;
    AcGeDoubleArray weights;
    bool periodic;
};

std::ostream& operator<<(std::ostream& os, const CurveRow& r) { return os << r.name; }

class NurbsLikeThe3dCurve : public testing::TestWithParam<CurveRow> {};

TEST_P(NurbsLikeThe3dCurve, PointsAndDerivativesAgree)
{
    const CurveRow& r = GetParam();
    AcGeNurbCurve2d flat(r.degree, r.knots, r.points, r.weights, r.periodic);
    AcGeNurbCurve3d space(r.degree, r.knots, lifted(r.points), r.weights, r.periodic);
    ASSERT_DOUBLE_EQ(flat.startParam(), space.startParam());
    ASSERT_DOUBLE_EQ(flat.endParam(), space.endParam());
    ASSERT_LT(flat.startParam(), flat.endParam());
    const int kSteps = 37;
    for (int i = 0; i <= kSteps; ++i) {
        double t = flat.startParam() + (flat.endParam() - flat.startParam()) * i / kSteps;
        AcGeVector2dArray d2;
        AcGeVector3dArray d3;
        AcGePoint2d p = flat.evalPoint(t, 2, d2);
        AcGePoint3d q = space.evalPoint(t, 2, d3);
        ASSERT_EQ(d2.length(), 2);
        ASSERT_EQ(d3.length(), 2);
        EXPECT_NEAR(p.x, q.x, kSameTol) << t;
        EXPECT_NEAR(p.y, q.y, kSameTol) << t;
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(d2[k].x, d3[k].x, kSameTol * 100) << t << " order " << k + 1;
            EXPECT_NEAR(d2[k].y, d3[k].y, kSameTol * 100) << t << " order " << k + 1;
        }
    }
    EXPECT_NEAR(flat.length(flat.startParam(), flat.endParam()), space.length(space.startParam(), space.endParam()),
                1e-9);
    EXPECT_EQ(flat.isClosed(), space.isClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Ge, NurbsLikeThe3dCurve,
    testing::Values(
        CurveRow{"ClampedCubic", 3, knots({0, 0, 0, 0, 1, 2, 2, 2, 2}),
                 points({{0, 0}, {1, 3}, {3, 3}, {5, -1}, {6, 0}}), AcGeDoubleArray(), false},
        CurveRow{"RationalQuadratic", 2, knots({0, 0, 0, 0.4, 1, 1, 1}), points({{0, 0}, {2, 4}, {5, 1}, {7, 3}}),
                 doubles({1.0, 3.0, 0.5, 1.0}), false},
        CurveRow{"PeriodicFromOnePeriodOfKnots", 3, knots({0, 1, 2, 3, 4, 5}),
                 points({{0, 0}, {4, 0}, {5, 3}, {2, 5}, {-1, 3}}), AcGeDoubleArray(), true},
        CurveRow{"NonUniformLinear", 1, knots({0, 0, 0.25, 1, 1}), points({{0, 0}, {1, 1}, {3, 0}}),
                 AcGeDoubleArray(), false}),
    [](const testing::TestParamInfo<CurveRow>& info) { return std::string(info.param.name); });

// The quarter of the unit circle from (1, 0) to (0, 1): weights 1, sqrt(2)/2, 1.
AcGeNurbCurve2d quarterCircle()
{
    return AcGeNurbCurve2d(2, knots({0, 0, 0, 1, 1, 1}), points({{1, 0}, {1, 1}, {0, 1}}),
                           doubles({1.0, kHalfRoot2, 1.0}));
}

}  // namespace

TEST(NurbCurve2d, RationalQuarterCircleIsExact)
{
    AcGeNurbCurve2d c = quarterCircle();
    EXPECT_TRUE(c.isRational());
    for (int i = 0; i <= 20; ++i) {
        AcGePoint2d p = c.evalPoint(i / 20.0);
        EXPECT_NEAR(p.asVector().length(), 1.0, 1e-14) << i;
    }
    // Symmetric weights put the parameter's middle at 45 degrees.
    AcGePoint2d mid = c.evalPoint(0.5);
    EXPECT_NEAR(mid.x, kHalfRoot2, 1e-14);
    EXPECT_NEAR(mid.y, kHalfRoot2, 1e-14);
    EXPECT_NEAR(c.length(0.0, 1.0), kPi / 2, 1e-9);
    AcGePoint2d s = c.startPoint(), e = c.endPoint();
    EXPECT_NEAR(s.distanceTo(AcGePoint2d(1, 0)), 0.0, 1e-15);
    EXPECT_NEAR(e.distanceTo(AcGePoint2d(0, 1)), 0.0, 1e-15);
}

TEST(NurbCurve2d, DefinitionDataComesBackAsGiven)
{
    AcGeNurbCurve2d c = quarterCircle();
    EXPECT_EQ(c.degree(), 2);
    EXPECT_EQ(c.order(), 3);
    EXPECT_EQ(c.numControlPoints(), 3);
    EXPECT_EQ(c.numKnots(), 6);
    EXPECT_EQ(c.numWeights(), 3);
    EXPECT_DOUBLE_EQ(c.weightAt(1), kHalfRoot2);
    EXPECT_DOUBLE_EQ(c.knotAt(3), 1.0);
    EXPECT_TRUE(c.controlPointAt(1).isEqualTo(AcGePoint2d(1, 1)));
    int degree = 0;
    Adesk::Boolean rational = false, periodic = true;
    AcGeKnotVector k;
    AcGePoint2dArray pts;
    AcGeDoubleArray w;
    c.getDefinitionData(degree, rational, periodic, k, pts, w);
    EXPECT_EQ(degree, 2);
    EXPECT_TRUE(rational);
    EXPECT_FALSE(periodic);
    EXPECT_TRUE(k.isEqualTo(knots({0, 0, 0, 1, 1, 1})));
    ASSERT_EQ(pts.length(), 3);
    EXPECT_TRUE(pts[2].isEqualTo(AcGePoint2d(0, 1)));
    ASSERT_EQ(w.length(), 3);
    EXPECT_DOUBLE_EQ(w[1], kHalfRoot2);
    AcGeNurbCurve2d rebuilt(degree, k, pts, w, periodic);
    EXPECT_TRUE(rebuilt.isEqualTo(c));
    EXPECT_TRUE(c.isKindOf(AcGe::kSplineEnt2d));
    EXPECT_TRUE(c.isKindOf(AcGe::kCurve2d));
    EXPECT_FALSE(c.isKindOf(AcGe::kSplineEnt3d));
}

TEST(NurbCurve2d, MovingAControlPointOrAWeightChangesTheCurve)
{
    AcGeNurbCurve2d c = quarterCircle();
    std::unique_ptr<AcGeEntity2d> original(c.copy());
    c.setWeightAt(1, 1.0);
    EXPECT_FALSE(c.isEqualTo(*original));
    // Weight 1 in the middle: the plain parabola, whose middle point is (0.75, 0.75).
    AcGePoint2d mid = c.evalPoint(0.5);
    EXPECT_NEAR(mid.x, 0.75, 1e-14);
    EXPECT_NEAR(mid.y, 0.75, 1e-14);
    c.setControlPointAt(1, AcGePoint2d(2, 2));
    EXPECT_NEAR(c.evalPoint(0.5).x, 1.25, 1e-14);
}

struct EllipseRow {
    const char* name;
    double start;
    double end;
    bool clockwise;
};

std::ostream& operator<<(std::ostream& os, const EllipseRow& r) { return os << r.name; }

class NurbsOfEllipse : public testing::TestWithParam<EllipseRow> {};

// Every point of the spline satisfies the ellipse's equation, and its ends are the arc's.
TEST_P(NurbsOfEllipse, LiesOnTheEllipseEndToEnd)
{
    const EllipseRow& r = GetParam();
    AcGeVector2d major(3, 4);
    AcGeVector2d minor = r.clockwise ? AcGeVector2d(4, -3) : AcGeVector2d(-4, 3);
    AcGeEllipArc2d ellipse(AcGePoint2d(1, 2), major, minor, 5.0, 2.0, r.start, r.end);
    AcGeNurbCurve2d spline(ellipse);
    EXPECT_EQ(spline.degree(), 2);
    EXPECT_TRUE(spline.isRational());
    EXPECT_NEAR(spline.startPoint().distanceTo(ellipse.startPoint()), 0.0, 1e-12);
    EXPECT_NEAR(spline.endPoint().distanceTo(ellipse.endPoint()), 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(spline.startParam(), ellipse.startAng());
    EXPECT_DOUBLE_EQ(spline.endParam(), ellipse.endAng());
    for (int i = 0; i <= 50; ++i) {
        double t = spline.startParam() + (spline.endParam() - spline.startParam()) * i / 50;
        AcGeVector2d d = spline.evalPoint(t) - ellipse.center();
        double x = d.dotProduct(ellipse.majorAxis()) / 5.0, y = d.dotProduct(ellipse.minorAxis()) / 2.0;
        EXPECT_NEAR(x * x + y * y, 1.0, 1e-12) << t;
        // On the arc's side of things: the spline's point is near the arc, not on the rest of the ellipse.
        EXPECT_LT(ellipse.distanceTo(spline.evalPoint(t)), 1e-9) << t;
    }
    EXPECT_NEAR(spline.length(spline.startParam(), spline.endParam()),
                ellipse.length(ellipse.startAng(), ellipse.endAng()), 1e-8);
}

INSTANTIATE_TEST_SUITE_P(Ge, NurbsOfEllipse,
                         testing::Values(EllipseRow{"SmallArc", 0.2, 0.9, false},
                                         EllipseRow{"JustOverAQuarter", 0.0, kPi / 2 + 0.01, false},
                                         EllipseRow{"ThreeQuartersClockwise", 1.0, 1.0 + 1.5 * kPi, true},
                                         EllipseRow{"Full", 0.0, 2 * kPi, false}),
                         [](const testing::TestParamInfo<EllipseRow>& info) { return std::string(info.param.name); });

TEST(NurbCurve2d, FromALineSegment)
{
    AcGeNurbCurve2d c(AcGeLineSeg2d(AcGePoint2d(1, 1), AcGePoint2d(4, 5)));
    EXPECT_EQ(c.degree(), 1);
    EXPECT_FALSE(c.isRational());
    EXPECT_TRUE(c.startPoint().isEqualTo(AcGePoint2d(1, 1)));
    EXPECT_TRUE(c.endPoint().isEqualTo(AcGePoint2d(4, 5)));
    EXPECT_NEAR(c.length(c.startParam(), c.endParam()), 5.0, 1e-12);
}

TEST(NurbCurve2d, TransformMovesTheControlPoints)
{
    AcGeNurbCurve2d c = quarterCircle();
    c.transformBy(AcGeMatrix2d::rotation(kPi / 2, AcGePoint2d(0, 0)));
    c.translateBy(AcGeVector2d(10, 0));
    EXPECT_NEAR(c.startPoint().distanceTo(AcGePoint2d(10, 1)), 0.0, 1e-14);
    EXPECT_NEAR(c.endPoint().distanceTo(AcGePoint2d(9, 0)), 0.0, 1e-14);
    EXPECT_NEAR(c.evalPoint(0.3).distanceTo(AcGePoint2d(10, 0)), 1.0, 1e-14);
}

TEST(NurbCurve2d, SamplesStayWithinTheDeviation)
{
    AcGeNurbCurve2d c = quarterCircle();
    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    const double eps = 1e-4;
    c.getSamplePoints(0.0, 1.0, eps, pts, params);
    ASSERT_GE(pts.length(), 3);
    ASSERT_EQ(pts.length(), params.length());
    EXPECT_DOUBLE_EQ(params[0], 0.0);
    EXPECT_DOUBLE_EQ(params[params.length() - 1], 1.0);
    for (int i = 0; i + 1 < pts.length(); ++i) {
        // The sagitta of each chord of the unit circle.
        AcGePoint2d mid = pts[i] + (pts[i + 1] - pts[i]) * 0.5;
        EXPECT_LE(1.0 - mid.asVector().length(), eps) << i;
    }
}

TEST(NurbCurve2d, NearestPointAndReversal)
{
    AcGeNurbCurve2d c = quarterCircle();
    AcGePoint2d near = c.closestPointTo(AcGePoint2d(3, 3));
    EXPECT_NEAR(near.x, kHalfRoot2, 1e-9);
    EXPECT_NEAR(near.y, kHalfRoot2, 1e-9);
    c.reverseParam();
    EXPECT_NEAR(c.startPoint().distanceTo(AcGePoint2d(0, 1)), 0.0, 1e-14);
    EXPECT_NEAR(c.endPoint().distanceTo(AcGePoint2d(1, 0)), 0.0, 1e-14);
}

TEST(NurbCurve2d, InvalidDataMakeAnEmptyCurve)
{
    // Three control points of a cubic: too few.
    AcGeNurbCurve2d c(3, knots({0, 0, 0, 0, 1, 1, 1}), points({{0, 0}, {1, 1}, {2, 0}}));
    AcGeInterval range;
    c.getInterval(range);
    EXPECT_DOUBLE_EQ(range.length(), 0.0);
    AcGePoint2dArray pts;
    AcGeDoubleArray params;
    c.getSamplePoints(0.0, 1.0, 0.01, pts, params);
    EXPECT_EQ(pts.length(), 0);
    EXPECT_DOUBLE_EQ(c.length(0.0, 1.0), 0.0);
}
