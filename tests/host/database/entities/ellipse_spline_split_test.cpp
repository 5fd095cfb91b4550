// getSplitCurves of ellipses and splines: pieces of the curve's own class that run exactly along the original.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "dbelipse.h"
#include "dbspline.h"
#include "entity_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;
// The pieces come from exact knot insertion: only rounding separates them from the original.
constexpr double kExact = 1e-9;

template <class T>
std::vector<std::unique_ptr<T>> take(AcDbVoidPtrArray& made)
{
    std::vector<std::unique_ptr<T>> pieces;
    for (void* p : made)
        pieces.emplace_back(static_cast<T*>(p));
    return pieces;
}

AcGePoint3d pointAt(const AcDbCurve& c, double param)
{
    AcGePoint3d p;
    EXPECT_EQ(c.getPointAtParam(param, p), Acad::eOk) << param;
    return p;
}

std::pair<double, double> range(const AcDbCurve& c)
{
    double s = 0, e = 0;
    c.getStartParam(s);
    c.getEndParam(e);
    return {s, e};
}

// Every piece, sampled along its own range, lies on the original at the same parameter (less `period`
// past the original's end, for the piece that wraps through the start of a closed curve).
void expectAlongOriginal(const AcDbCurve& original, const AcDbCurve& piece, double period)
{
    const auto [s, e] = range(piece);
    const auto [os, oe] = range(original);
    for (int i = 0; i <= 16; ++i) {
        double t = s + (e - s) * i / 16.0;
        double u = t > oe + kExact ? t - period : t;
        if (u < os)
            u += period;
        EXPECT_TRUE(pointAt(piece, t).isEqualTo(pointAt(original, u), AcGeTol())) << "t=" << t;
    }
}

AcDbSpline openCubic()
{
    AcGePoint3dArray fit;
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 0), AcGePoint3d(2, 3, 0), AcGePoint3d(5, 1, 1),
                                 AcGePoint3d(7, 4, 0), AcGePoint3d(9, 0, 0)})
        fit.append(p);
    return AcDbSpline(fit);
}

AcDbSpline periodicCubic()
{
    AcGePoint3dArray cps;
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 0), AcGePoint3d(4, -1, 0), AcGePoint3d(6, 3, 0),
                                 AcGePoint3d(3, 6, 0), AcGePoint3d(-1, 4, 0), AcGePoint3d(-2, 1, 0)})
        cps.append(p);
    AcGeDoubleArray knots;
    for (int i = 0; i <= 6; ++i)
        knots.append(i);
    return AcDbSpline(3, false, true, true, cps, knots, AcGeDoubleArray());
}

}  // namespace

// ----- Ellipse ------------------------------------------------------------------------------------

TEST(EllipseSplit, OpenArcGivesOneMorePieceThanCuts)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse arc(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0.0, kPi);
    arc.setColorIndex(3);
    AcGeDoubleArray cuts;
    cuts.append(2.0);
    cuts.append(0.5);
    AcDbVoidPtrArray made;
    ASSERT_EQ(arc.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbEllipse>(made);
    ASSERT_EQ(pieces.size(), 3u);
    const double expected[][2] = {{0.0, 0.5}, {0.5, 2.0}, {2.0, kPi}};
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_NEAR(pieces[i]->startParam(), expected[i][0], kExact) << i;
        EXPECT_NEAR(pieces[i]->endParam(), expected[i][1], kExact) << i;
        EXPECT_EQ(pieces[i]->colorIndex(), 3);
        expectAlongOriginal(arc, *pieces[i], 2 * kPi);
    }
}

TEST(EllipseSplit, FullEllipseWrapsThroughItsStart)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse full(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 3, 0), 0.4);
    AcGeDoubleArray cuts;
    cuts.append(3.0);
    cuts.append(1.0);
    AcDbVoidPtrArray made;
    ASSERT_EQ(full.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbEllipse>(made);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(pieces[0]->startParam(), 1.0, kExact);
    EXPECT_NEAR(pieces[0]->endParam(), 3.0, kExact);
    EXPECT_NEAR(pieces[1]->startParam(), 3.0, kExact);
    EXPECT_NEAR(pieces[1]->endParam(), 1.0 + 2 * kPi, kExact);
    for (const auto& p : pieces)
        expectAlongOriginal(full, *p, 2 * kPi);
}

TEST(EllipseSplit, OneCutOpensTheFullEllipseThere)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse full(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 0.5);
    AcGeDoubleArray cuts;
    cuts.append(2.0);
    AcDbVoidPtrArray made;
    ASSERT_EQ(full.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbEllipse>(made);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(pieces[0]->endParam() - pieces[0]->startParam(), 2 * kPi, kExact);
    AcGePoint3d start;
    pieces[0]->getStartPoint(start);
    EXPECT_TRUE(start.isEqualTo(pointAt(full, 2.0)));
}

TEST(EllipseSplit, PointsAreCutsToo)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse arc(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 0.5, 0.0, kPi);
    AcGePoint3dArray points;
    points.append(pointAt(arc, 1.0));
    AcDbVoidPtrArray made;
    ASSERT_EQ(arc.getSplitCurves(points, made), Acad::eOk);
    auto pieces = take<AcDbEllipse>(made);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(pieces[0]->endParam(), 1.0, 1e-7);
}

TEST(EllipseSplit, BadInputIsRefusedAndMakesNothing)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse full(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 0.5);
    AcDbVoidPtrArray made;
    AcGeDoubleArray none;
    EXPECT_EQ(full.getSplitCurves(none, made), Acad::eInvalidInput);
    AcGeDoubleArray nan;
    nan.append(std::nan(""));
    EXPECT_EQ(full.getSplitCurves(nan, made), Acad::eInvalidInput);
    EXPECT_EQ(made.length(), 0);
}

// ----- Spline -------------------------------------------------------------------------------------

TEST(SplineSplit, OpenSplinePiecesRunAlongTheOriginal)
{
    entitytest::WorkingDatabase db;
    AcDbSpline spline = openCubic();
    spline.setColorIndex(5);
    const auto [s, e] = range(spline);
    AcGeDoubleArray cuts;
    cuts.append(s + 0.7 * (e - s));
    cuts.append(s + 0.25 * (e - s));
    AcDbVoidPtrArray made;
    ASSERT_EQ(spline.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbSpline>(made);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_NEAR(range(*pieces[0]).first, s, kExact);
    EXPECT_NEAR(range(*pieces[0]).second, cuts[1], kExact);
    EXPECT_NEAR(range(*pieces[2]).second, e, kExact);
    for (const auto& p : pieces) {
        EXPECT_EQ(p->degree(), 3);
        EXPECT_FALSE(p->hasFitData());
        EXPECT_EQ(p->colorIndex(), 5);
        expectAlongOriginal(spline, *p, e - s);
    }
    // Neighbours meet.
    AcGePoint3d end0, start1;
    pieces[0]->getEndPoint(end0);
    pieces[1]->getStartPoint(start1);
    EXPECT_TRUE(end0.isEqualTo(start1));
}

TEST(SplineSplit, CutAtAKnotSplitsThere)
{
    entitytest::WorkingDatabase db;
    AcDbSpline spline = openCubic();
    int degree = 0;
    Adesk::Boolean rational, closed, periodic;
    AcGePoint3dArray cps;
    AcGeDoubleArray knots, weights;
    double t1, t2;
    ASSERT_EQ(spline.getNurbsData(degree, rational, closed, periodic, cps, knots, weights, t1, t2), Acad::eOk);
    // An interior knot of the clamped curve: the first after the degree + 1 start knots.
    const double knot = knots[degree + 1];
    AcGeDoubleArray cuts;
    cuts.append(knot);
    AcDbVoidPtrArray made;
    ASSERT_EQ(spline.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbSpline>(made);
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& p : pieces)
        expectAlongOriginal(spline, *p, 0.0);
}

TEST(SplineSplit, RationalSplineStaysExact)
{
    entitytest::WorkingDatabase db;
    AcDbEllipse ellipse(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 1, 0), 0.6, 0.2, 4.0);
    AcDbSpline* spline = nullptr;
    ASSERT_EQ(ellipse.getSpline(spline), Acad::eOk);
    std::unique_ptr<AcDbSpline> owned(spline);
    ASSERT_TRUE(spline->isRational());
    const auto [s, e] = range(*spline);
    AcGeDoubleArray cuts;
    cuts.append(s + 0.33 * (e - s));
    AcDbVoidPtrArray made;
    ASSERT_EQ(spline->getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbSpline>(made);
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& p : pieces) {
        EXPECT_TRUE(p->isRational());
        expectAlongOriginal(*spline, *p, e - s);
    }
}

TEST(SplineSplit, PeriodicSplineGivesOnePiecePerCut)
{
    entitytest::WorkingDatabase db;
    AcDbSpline spline = periodicCubic();
    ASSERT_TRUE(spline.isClosed());
    const auto [s, e] = range(spline);
    AcGeDoubleArray cuts;
    cuts.append(s + 0.6 * (e - s));
    cuts.append(s + 0.2 * (e - s));
    AcDbVoidPtrArray made;
    ASSERT_EQ(spline.getSplitCurves(cuts, made), Acad::eOk);
    auto pieces = take<AcDbSpline>(made);
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& p : pieces) {
        EXPECT_FALSE(p->isPeriodic());
        expectAlongOriginal(spline, *p, e - s);
    }
    // The second piece runs from the later cut through the start point to the earlier cut.
    AcGePoint3d start, end;
    pieces[1]->getStartPoint(start);
    pieces[1]->getEndPoint(end);
    EXPECT_TRUE(start.isEqualTo(pointAt(spline, cuts[0])));
    EXPECT_TRUE(end.isEqualTo(pointAt(spline, cuts[1])));
}

TEST(SplineSplit, OneCutOfAClosedSplineOpensItThere)
{
    entitytest::WorkingDatabase db;
    AcDbSpline spline = periodicCubic();
    const auto [s, e] = range(spline);
    for (double at : {s, s + 0.4 * (e - s)}) {
        AcGeDoubleArray cuts;
        cuts.append(at);
        AcDbVoidPtrArray made;
        ASSERT_EQ(spline.getSplitCurves(cuts, made), Acad::eOk);
        auto pieces = take<AcDbSpline>(made);
        ASSERT_EQ(pieces.size(), 1u);
        AcGePoint3d start, end;
        pieces[0]->getStartPoint(start);
        pieces[0]->getEndPoint(end);
        EXPECT_TRUE(start.isEqualTo(pointAt(spline, at))) << at;
        EXPECT_TRUE(end.isEqualTo(start)) << at;
        expectAlongOriginal(spline, *pieces[0], e - s);
    }
}

TEST(SplineSplit, EndsAndBadCutsAreHandled)
{
    entitytest::WorkingDatabase db;
    AcDbSpline spline = openCubic();
    const auto [s, e] = range(spline);
    AcGeDoubleArray ends;
    ends.append(s);
    ends.append(e);
    AcDbVoidPtrArray made;
    // Cuts at the ends of an open curve cut nothing: one piece, the whole curve.
    ASSERT_EQ(spline.getSplitCurves(ends, made), Acad::eOk);
    auto pieces = take<AcDbSpline>(made);
    ASSERT_EQ(pieces.size(), 1u);
    expectAlongOriginal(spline, *pieces[0], 0.0);
    AcGeDoubleArray nan;
    nan.append(std::nan(""));
    AcDbVoidPtrArray none;
    EXPECT_EQ(spline.getSplitCurves(nan, none), Acad::eInvalidInput);
    AcDbSpline empty;
    EXPECT_EQ(empty.getSplitCurves(ends, none), Acad::eDegenerateGeometry);
    EXPECT_EQ(none.length(), 0);
}
