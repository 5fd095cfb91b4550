// Splines and ellipses sampled into polylines: vertices on the curve, chords close to it, ends kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>

#include "dbapserv.h"
#include "dbelipse.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbspline.h"
#include "gemat3d.h"
#include "tools/spline_conversion.h"

namespace {

// The host samples within 0.01 of the curve; vertices are curve points, measured here against a
// dense polyline of the curve.
constexpr double kOnCurve = 1e-5;
constexpr double kChordHeight = 0.01 + kOnCurve;

struct SplineCase {
    const char* name;
    AcGeMatrix3d placement;  // applied to the fit points (0,0) (10,10) (20,0) (30,10) (40,0)
};

// Failures and test names show the row by its name.
void PrintTo(const SplineCase& row, std::ostream* os)
{
    *os << row.name;
}


AcDbSpline* waveSpline(const AcGeMatrix3d& placement)
{
    AcGePoint3dArray fit;
    for (int i = 0; i < 5; ++i)
        fit.append(placement * AcGePoint3d(10.0 * i, i % 2 == 0 ? 0.0 : 10.0, 0.0));
    return new AcDbSpline(fit);
}

// Distance to the curve measured on a dense polyline of its points (4000 pieces: their own chord
// heights are far below the tolerances checked), so that no search for a nearest point can settle
// on a local minimum.
double distanceToCurve(const AcDbCurve& curve, const AcGePoint3d& point)
{
    constexpr int kPieces = 4000;
    double start = 0.0, end = 0.0;
    EXPECT_EQ(curve.getStartParam(start), Acad::eOk);
    EXPECT_EQ(curve.getEndParam(end), Acad::eOk);
    AcGePoint3d previous;
    curve.getPointAtParam(start, previous);
    double best = previous.distanceTo(point);
    for (int i = 1; i <= kPieces; ++i) {
        AcGePoint3d next;
        curve.getPointAtParam(start + (end - start) * i / kPieces, next);
        const AcGeVector3d piece = next - previous;
        const double squared = piece.lengthSqrd();
        double t = squared > 0.0 ? (point - previous).dotProduct(piece) / squared : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, (previous + piece * t).distanceTo(point));
        previous = next;
    }
    return best;
}

AcGePoint3d worldVertex(const AcDbPolyline& pline, unsigned int i)
{
    AcGePoint3d point;
    EXPECT_EQ(pline.getPointAt(i, point), Acad::eOk);
    return point;
}

class SplineToPolyline : public ::testing::TestWithParam<SplineCase> {};

TEST_P(SplineToPolyline, VerticesAndChordsFollowTheSpline)
{
    std::unique_ptr<AcDbSpline> spline(waveSpline(GetParam().placement));
    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::splineToPolyline(spline.get()));
    ASSERT_NE(pline, nullptr);
    ASSERT_GT(pline->numVerts(), 5u);
    EXPECT_FALSE(pline->isClosed());
    EXPECT_FALSE(pline->hasBulges());

    AcGePoint3d start, end;
    spline->getStartPoint(start);
    spline->getEndPoint(end);
    EXPECT_LT(worldVertex(*pline, 0).distanceTo(start), kOnCurve);
    EXPECT_LT(worldVertex(*pline, pline->numVerts() - 1).distanceTo(end), kOnCurve);
    for (unsigned int i = 0; i < pline->numVerts(); ++i) {
        const AcGePoint3d vertex = worldVertex(*pline, i);
        EXPECT_LT(distanceToCurve(*spline, vertex), kOnCurve) << "vertex " << i;
        if (i + 1 < pline->numVerts()) {
            const AcGePoint3d next = worldVertex(*pline, i + 1);
            const AcGePoint3d middle = vertex + (next - vertex) * 0.5;
            EXPECT_LT(distanceToCurve(*spline, middle), kChordHeight) << "chord " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Planes, SplineToPolyline,
    ::testing::Values(SplineCase{"world_plane", AcGeMatrix3d::kIdentity},
                      SplineCase{"raised_plane", AcGeMatrix3d::translation(AcGeVector3d(0, 0, 5))},
                      SplineCase{"tilted_plane", AcGeMatrix3d::translation(AcGeVector3d(3, -2, 7)) *
                                                     AcGeMatrix3d::rotation(std::numbers::pi / 6, AcGeVector3d::kXAxis,
                                                                            AcGePoint3d::kOrigin)}),
    [](const ::testing::TestParamInfo<SplineCase>& info) { return std::string(info.param.name); });

TEST(SplineConversion, NonPlanarSplineGivesNothing)
{
    AcGePoint3dArray fit;
    fit.append(AcGePoint3d(0, 0, 0));
    fit.append(AcGePoint3d(10, 10, 5));
    fit.append(AcGePoint3d(20, 0, 10));
    fit.append(AcGePoint3d(30, 10, 0));
    AcDbSpline spline(fit);
    EXPECT_EQ(kelvora::tools::splineToPolyline(&spline), nullptr);
}

TEST(SplineConversion, NullSplineGivesNothing)
{
    AcDbSpline spline;
    ASSERT_TRUE(spline.isNull());
    EXPECT_EQ(kelvora::tools::splineToPolyline(&spline), nullptr);
    EXPECT_EQ(kelvora::tools::splineToPolyline(nullptr), nullptr);
}

TEST(SplineConversion, OtherEntitiesAreNotConverted)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    EXPECT_EQ(kelvora::tools::curveToPolyline(&line), nullptr);
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 5.0);
    EXPECT_EQ(kelvora::tools::curveToPolyline(&circle), nullptr);
}

TEST(SplineConversion, ClosedEllipseGivesAnOpenPolylineBackAtItsStart)
{
    AcDbEllipse ellipse(AcGePoint3d(50, 50, 0), AcGeVector3d::kZAxis, AcGeVector3d(20, 0, 0), 0.5);
    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::curveToPolyline(&ellipse));
    ASSERT_NE(pline, nullptr);
    ASSERT_GE(pline->numVerts(), 8u);
    EXPECT_FALSE(pline->isClosed());
    EXPECT_LT(worldVertex(*pline, 0).distanceTo(worldVertex(*pline, pline->numVerts() - 1)), kOnCurve);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (unsigned int i = 0; i < pline->numVerts(); ++i) {
        const AcGePoint3d p = worldVertex(*pline, i);
        const double u = (p.x - 50) / 20, v = (p.y - 50) / 10;
        EXPECT_NEAR(u * u + v * v, 1.0, 1e-6) << "vertex " << i;
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    // All the way round: near every extreme of the ellipse.
    EXPECT_GT(maxX, 69.9);
    EXPECT_LT(minX, 30.1);
    EXPECT_GT(maxY, 59.9);
    EXPECT_LT(minY, 40.1);
}

TEST(SplineConversion, MergePassesKeepTheEndsAndVerticesOnTheCurve)
{
    std::unique_ptr<AcDbSpline> spline(waveSpline(AcGeMatrix3d::kIdentity));
    std::unique_ptr<AcDbPolyline> pline(kelvora::tools::splineToPolyline(spline.get()));
    ASSERT_NE(pline, nullptr);
    const unsigned int sampled = pline->numVerts();
    const AcGePoint3d first = worldVertex(*pline, 0), last = worldVertex(*pline, sampled - 1);
    kelvora::tools::mergeConvertedPolyline(pline.get());
    EXPECT_LT(pline->numVerts(), sampled);
    EXPECT_GE(pline->numVerts(), 5u);
    EXPECT_LT(worldVertex(*pline, 0).distanceTo(first), kOnCurve);
    EXPECT_LT(worldVertex(*pline, pline->numVerts() - 1).distanceTo(last), kOnCurve);
    for (unsigned int i = 0; i < pline->numVerts(); ++i)
        EXPECT_LT(distanceToCurve(*spline, worldVertex(*pline, i)), kOnCurve) << "vertex " << i;
}

}  // namespace
